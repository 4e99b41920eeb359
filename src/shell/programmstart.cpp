#include "shell/programmstart.h"

#include "shell/areaentries.h"
#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/lokaledatenbank.h"
#include "store/strukturcheck.h"

Programmstart::Schritte Programmstart::Schritte::standard()
{
    return {&shell::startWaWi, &shell::unattendedImport, &shell::unattendedExport};
}

Programmstart::Programmstart(const Kommandozeile& kommandozeile, Feedback& feedback,
                             Schritte schritte)
    : kommandozeile_(kommandozeile), feedback_(feedback), schritte_(std::move(schritte))
{
    PfadeSetzen();
    einstellungen().RegistryKonfiguration = kommandozeile_.konfiguration();
}

Programmstart::~Programmstart()
{
    beenden();
}

bool Programmstart::fehlschlag(const QString& meldung)
{
    fehlerfrei_ = false;
    if (!meldung.isEmpty())
        feedback_.message(meldung, MessageKind::Error);
    return false;
}

bool Programmstart::lokalStarten()
{
    StrukturCheck check(&feedback_);
    const bool konvertiert = check.Check_Version();
    if (check.EndeAngefordert())
        return fehlschlag({});  // the check gave its own message
    if (!konvertiert)
        fehlerfrei_ = false;  // a table kept its old structure; the start goes on

    EinstellungenLaden(&feedback_);
    einstellungenGeladen_ = true;

    QString fehler;
    if (!LokaleDatenbankOeffnen(&fehler)) {
        return fehlschlag(QStringLiteral("Die lokale Datenbank konnte nicht geöffnet werden!\r")
                          + LokaleDatenbankDatei() + QLatin1Char('\r') + fehler);
    }
    return true;
}

bool Programmstart::warenwirtschaftStarten(TQemConnection& verbindung)
{
    if (!schritte_.warenwirtschaft(verbindung, feedback_))
        return fehlschlag({});
    return true;
}

bool Programmstart::unbeaufsichtigtAusfuehren(TQemConnection& verbindung)
{
    bool erfolg = true;
    if (kommandozeile_.lauf() == Kommandozeile::Lauf::Unbekannt) {
        return fehlschlag(QStringLiteral("Unbekannte Option: ") + kommandozeile_.option()
                          + QStringLiteral("\rMöglich sind -IN, -AUS und -INAUS."));
    }
    // The export runs also after a failed import: it writes what the journal already holds.
    if (kommandozeile_.mitImport() && !schritte_.import(verbindung, feedback_))
        erfolg = fehlschlag({});
    if (kommandozeile_.mitExport() && !schritte_.ausgabe(verbindung, feedback_))
        erfolg = fehlschlag({});
    return erfolg;
}

bool Programmstart::beenden()
{
    if (beendet_)
        return true;
    beendet_ = true;
    bool erfolg = true;
    if (einstellungenGeladen_ && !EinstellungenSpeichern())
        erfolg = fehlschlag(QStringLiteral("Die Einstellungen konnten nicht gespeichert werden:\r")
                            + einstellungen().ProgrammPfad + QStringLiteral("QemDatev.ini"));
    LokaleDatenbankSchliessen();
    return erfolg;
}
