#include "store/einstellungen.h"

Einstellungen& einstellungen()
{
    static Einstellungen instanz;
    return instanz;
}

QString TempPfadAus(const QString& systemTemp) { return systemTemp + QStringLiteral("QemDateV/"); }
void PfadeSetzen() {}
void Vorgaben() {}
bool EinstellungenLaden(Feedback*) { return true; }
bool EinstellungenSpeichern() { return false; }
QString ManIniPfad() { return einstellungen().TempPfad + QStringLiteral("man.ini"); }
bool ManIniSchreiben(const QString&) { return false; }
void ManIniLesen(Feedback*) {}
bool MandantEinstellungenLaden(const QString&, Feedback*) { return false; }
