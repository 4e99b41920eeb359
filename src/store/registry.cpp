#include "store/registry.h"

namespace {
QString& aktuell()
{
    static QString schluessel = ProgrammRegistrySchluessel;
    return schluessel;
}
}  // namespace

QString AktuellerRegistrySchluessel() { return aktuell(); }
QString RegistryDatei() { return {}; }
RegistryWechsel::RegistryWechsel(const QString& schluessel) : vorher_(aktuell()) { aktuell() = schluessel; }
RegistryWechsel::~RegistryWechsel() { aktuell() = vorher_; }
bool RegSchreiben(const QString&, const QString&, const QString&) { return false; }
QString RegLesen(const QString&, const QString&) { return {}; }
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
