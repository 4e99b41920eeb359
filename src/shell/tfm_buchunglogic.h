#pragma once
// The rules of the journal view without its widgets: the search statement, the delete rules
// with the take-back of the source document in the merchandise-management database, and the
// deletion of all exported bookings.
//
// Call sequence: construct over the local database ("DateV") with a Feedback for the questions
// and messages, setWaWi() with the merchandise side (TFM_BuchungWaWi over the main window's
// connection), then Loeschen(BuchNr) for one booking the user deletes, Action_DeleteExport()
// for "exportierte Buchungen löschen", SuchStatement(text) for the search bar.
//
// Loeschen runs TBL_BuchungBeforeDelete and the delete of the booking in one local
// transaction. The source's marks are cleared first; the bookings of the transaction are
// deleted only after that succeeded, so no booking disappears whose document still counts as
// transferred. Questions go through Feedback::ask (the window shows FrageVorgang and
// FrageExportLoeschen with OK and Abbrechen, the others with Ja and Nein).

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>

class Feedback;

class TFM_BuchungLogic {
public:
    // The merchandise side of the take-back (TBL_TVK of the main window).
    class WaWi {
    public:
        virtual ~WaWi() = default;
        // Document booking: FibuBuchung1 empty, Fibu_Forderung and Fibu_Verbindlichkeit false,
        // Fibu false on every payment of the document. False when the document does not exist.
        // Throws on any failure.
        virtual bool BelegZuruecknehmen(int auftrag) = 0;
        // Cash-book booking: Fibu false on the entry. False when the entry does not exist.
        virtual bool KassenbuchZuruecknehmen(int eintrag) = 0;
    };

    static inline const QString FrageWaWi =
        QStringLiteral("Soll das Löschen in der Warenwirtschaft berücksichtigt werden!");
    static inline const QString FrageVorgang = QStringLiteral(
        "Es müssen alle Buchungen gelöscht werden, die zu dem gleichen Vorgang gehören\rLöschen oder Abbruch");
    static inline const QString MeldungAnderesProgramm = QStringLiteral(
        "Die Buchung stammt aus einem anderen Programm!\rBitte wechseln Sie zuerst das Programm unter Einstellungen!");
    static inline const QString MeldungNichtGeloescht =
        QStringLiteral("Die Buchung konnte nicht gelöscht werden!");
    static inline const QString FrageExportLoeschen =
        QStringLiteral("Möchten Sie die Buchungen löschen?");

    TFM_BuchungLogic(const QSqlDatabase& local, Feedback& feedback);

    void setWaWi(WaWi* wawi) { wawi_ = wawi; }
    WaWi* wawi() const { return wawi_; }
    void setFeedback(Feedback& feedback) { feedback_ = &feedback; }
    // The product kind the user has selected (default: einstellungen().Qem_Programm at the time
    // of the delete).
    void setProgrammArt(int programmArt) { programmArt_ = programmArt; }

    // The search statement for the text of the search field; empty when the trimmed text is
    // empty (the search view is switched off then). Quotes in the text are doubled, so they
    // stay part of the searched text.
    static QString SuchStatement(const QString& text);

    // Deletes the booking after the delete rules; true when it was deleted.
    bool Loeschen(qint64 buchNr);
    // Deletes every exported booking after asking, walking from the last booking back to the
    // first; returns the number deleted.
    int Action_DeleteExport();

    // The delete rules for booking b, inside the caller's local transaction: true when the
    // delete of b may go ahead (the other bookings of its transaction are deleted then).
    bool TBL_BuchungBeforeDelete(const QSqlRecord& b);
    bool Wartung() const { return wartung_; }

private:
    // Clears the source's marks; true when the source exists.
    bool Vorgang_back(int auftrag);
    void loescheBuchung(qint64 buchNr);
    int programmArt() const;

    QSqlDatabase local_;
    Feedback* feedback_;
    WaWi* wawi_ = nullptr;
    int programmArt_ = -1;
    bool wartung_ = false;
};
