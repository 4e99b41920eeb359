#include "store/registry.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <memory>

namespace {

QString& aktuell()
{
    static QString schluessel = ProgrammRegistrySchluessel;
    return schluessel;
}

QString mitSchraegstrichen(const QString& pfad)
{
    QStringList teile = QString(pfad).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return teile.join(QLatin1Char('/'));
}

// The settings object rooted at HKEY_LOCAL_MACHINE, or at the registry file elsewhere.
std::unique_ptr<QSettings> speicher()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE"), QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(RegistryDatei(), QSettings::IniFormat);
#endif
}

QString schluesselPfad(const QString& subKey)
{
    const QString sub = mitSchraegstrichen(subKey);
    const QString basis = mitSchraegstrichen(aktuell());
    return sub.isEmpty() ? basis : basis + QLatin1Char('/') + sub;
}

}  // namespace

QString AktuellerRegistrySchluessel()
{
    return aktuell();
}

QString RegistryDatei()
{
#ifdef Q_OS_WIN
    return QString();
#else
    const QString datei = qEnvironmentVariable("QEM_REGISTRY");
    if (!datei.isEmpty())
        return datei;
    const QString verzeichnis = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(verzeichnis);
    return verzeichnis + QStringLiteral("/QemDateV-registry.ini");
#endif
}

RegistryWechsel::RegistryWechsel(const QString& schluessel) : vorher_(aktuell())
{
    aktuell() = schluessel;
}

RegistryWechsel::~RegistryWechsel()
{
    aktuell() = vorher_;
}

bool RegSchreiben(const QString& subKey, const QString& name, const QString& value)
{
    auto s = speicher();
    s->beginGroup(schluesselPfad(subKey));
    s->setValue(name, value);
    s->endGroup();
    s->sync();
    return s->status() == QSettings::NoError;
}

QString RegLesen(const QString& subKey, const QString& name)
{
    auto s = speicher();
    s->beginGroup(schluesselPfad(subKey));
    const QVariant wert = s->value(name);
    s->endGroup();
    // A value written by hand with commas comes back as a list from the INI back end.
    if (wert.typeId() == QMetaType::QStringList)
        return wert.toStringList().join(QLatin1Char(','));
    return wert.toString();
}

bool EinstellungSchreiben(const QString& section, const QString& name, const QString& value)
{
    return RegSchreiben(QStringLiteral("Einstellungen\\") + section, name, value);
}

QString EinstellungLesen(const QString& section, const QString& name)
{
    return RegLesen(QStringLiteral("Einstellungen\\") + section, name);
}

QString EinstellungLesenVorgabe(const QString& section, const QString& name, const QString& vorgabe)
{
    const QString wert = EinstellungLesen(section, name);
    return wert.trimmed().isEmpty() ? vorgabe : wert;
}
