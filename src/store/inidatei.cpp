#include "store/inidatei.h"

#include "store/zeichensatz.h"

#include <QFile>
#include <QSaveFile>

namespace {

bool istSektion(const QString& zeile, QString* name = nullptr)
{
    const QString t = zeile.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return false;
    const qsizetype ende = t.indexOf(QLatin1Char(']'));
    if (ende < 0)
        return false;
    if (name)
        *name = t.mid(1, ende - 1).trimmed();
    return true;
}

// The key of a "Key=Value" line; null for any other line.
QString schluesselVon(const QString& zeile)
{
    const qsizetype gleich = zeile.indexOf(QLatin1Char('='));
    if (gleich <= 0 || istSektion(zeile))
        return QString();
    const QString key = zeile.left(gleich).trimmed();
    return key.isEmpty() || key.startsWith(QLatin1Char(';')) ? QString() : key;
}

}  // namespace

IniDatei::IniDatei(const QString& pfad) : pfad_(pfad) {}

bool IniDatei::laden()
{
    zeilen_.clear();
    QFile file(pfad_);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    setzenText(Utf8OderAnsiZuText(file.readAll()));
    return true;
}

void IniDatei::setzenText(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    zeilen_ = t.split(QLatin1Char('\n'));
    if (!zeilen_.isEmpty() && zeilen_.last().isEmpty())
        zeilen_.removeLast();
}

QString IniDatei::text() const
{
    QString t;
    for (const QString& zeile : zeilen_)
        t += zeile + QLatin1String("\r\n");
    return t;
}

bool IniDatei::speichern() const
{
    QSaveFile file(pfad_);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text().toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int IniDatei::sektionsZeile(const QString& section) const
{
    for (int i = 0; i < zeilen_.size(); ++i) {
        QString name;
        if (istSektion(zeilen_[i], &name) && name.compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList IniDatei::sektion(const QString& section) const
{
    QStringList werte;
    const int start = sektionsZeile(section);
    if (start < 0)
        return werte;
    for (int i = start + 1; i < zeilen_.size() && !istSektion(zeilen_[i]); ++i) {
        const QString key = schluesselVon(zeilen_[i]);
        if (!key.isNull())
            werte.append(key + QLatin1Char('=') + zeilen_[i].mid(zeilen_[i].indexOf(QLatin1Char('=')) + 1).trimmed());
    }
    return werte;
}

QString IniDatei::wert(const QString& section, const QString& key) const
{
    const int start = sektionsZeile(section);
    if (start < 0)
        return QString();
    for (int i = start + 1; i < zeilen_.size() && !istSektion(zeilen_[i]); ++i) {
        if (schluesselVon(zeilen_[i]).compare(key, Qt::CaseInsensitive) == 0)
            return zeilen_[i].mid(zeilen_[i].indexOf(QLatin1Char('=')) + 1).trimmed();
    }
    return QString();
}

void IniDatei::setzen(const QString& section, const QString& key, const QString& value)
{
    QString einzeilig = value;
    einzeilig.replace(QLatin1String("\r\n"), QLatin1String(" "));
    einzeilig.replace(QLatin1Char('\r'), QLatin1Char(' '));
    einzeilig.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString zeile = key + QLatin1Char('=') + einzeilig;

    int start = sektionsZeile(section);
    if (start < 0) {
        zeilen_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        zeilen_.append(zeile);
        return;
    }
    int letzte = start;
    for (int i = start + 1; i < zeilen_.size() && !istSektion(zeilen_[i]); ++i) {
        const QString vorhanden = schluesselVon(zeilen_[i]);
        if (vorhanden.compare(key, Qt::CaseInsensitive) == 0 && !vorhanden.isNull()) {
            zeilen_[i] = zeile;
            return;
        }
        if (!zeilen_[i].trimmed().isEmpty())
            letzte = i;
    }
    zeilen_.insert(letzte + 1, zeile);
}
