#include "shell/unbeaufsichtigterstart.h"

#include "dataaccess/tqemconnection.h"
#include "shell/konsolenfeedback.h"

int unbeaufsichtigtStarten(const Kommandozeile& kommandozeile, KonsolenFeedback& feedback,
                           Programmstart::Schritte schritte)
{
    Programmstart start(kommandozeile, feedback, std::move(schritte));
    TQemConnection QemTorvikConn;
    if (start.lokalStarten() && start.warenwirtschaftStarten(QemTorvikConn))
        start.unbeaufsichtigtAusfuehren(QemTorvikConn);
    start.beenden();
    QemTorvikConn.Close();

    const bool erfolg = start.fehlerfrei() && !feedback.fehlerAufgetreten();
    feedback.message(erfolg ? QStringLiteral("Der unbeaufsichtigte Lauf ist beendet.")
                            : QStringLiteral("Der unbeaufsichtigte Lauf ist mit Fehlern beendet."),
                     erfolg ? MessageKind::Information : MessageKind::Warning);
    return erfolg ? 0 : 1;
}
