#pragma once
// The main window "Fibu Schnittstelle": main menu and navigation bar with the actions of the
// program, the journal view as its client area, the wait window and the message list window
// for the runs, and the connection QemTorvikConn to the merchandise-management database.
//
// Construction is FormCreate (paths set); the first show runs FormShow (caption, structure
// check, settings, local database, product and client, journal, unattended steps) and emits
// gestartet() when the journal is shown. Closing asks "Möchten Sie das Programm beenden?" in
// normal use (window tag 0); the settings are written when the window really closes.
// Window tag: 0 normal use, 1 unattended start, -99 merchandise-management database not
// reached (then the window closes by itself, without a question).

#include "shell/kommandozeile.h"
#include "shell/programmstart.h"

#include <QMainWindow>

#include <memory>

class Feedback;
class QAction;
class QTimer;
class QToolBox;
class QVBoxLayout;
class TFehler;
class TQemConnection;
class TWarten;
class WidgetFeedback;

// The version label in the caption.
QString Programmversion();

class TFM_Haupt : public QMainWindow {
    Q_OBJECT
public:
    struct Optionen {
        Kommandozeile kommandozeile;
        Programmstart::Schritte schritte = Programmstart::Schritte::standard();
        // Null: the window's own feedback (wait window, message list, message boxes).
        Feedback* feedback = nullptr;
    };

    TFM_Haupt();
    explicit TFM_Haupt(Optionen optionen, QWidget* parent = nullptr);
    ~TFM_Haupt() override;

    int fensterTag() const { return tag_; }
    // Exit status of the program: 0, or 1 when the start-up or an unattended step failed.
    int ergebnis() const;
    bool istGestartet() const { return gestartet_; }

    TQemConnection& QemTorvikConn() const { return *QemTorvikConn_; }
    QWidget* journal() const { return journal_; }
    TWarten& warten() const { return *warten_; }
    TFehler& fehler() const { return *fehler_; }
    QToolBox& navigation() const { return *navigation_; }

signals:
    // FormShow has run to its end: the journal is shown (or the window is closing).
    void gestartet();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void aktionenAnlegen();
    void menueAnlegen();
    QWidget* navigationAnlegen();
    QAction* aktion(const char* name, const QString& text, const QString& hinweis,
                    void (TFM_Haupt::*wirkung)());
    void journalNeuLesen();
    void startBeenden();

    // Action handlers.
    void Action_EndeExecute();
    void Action_WaWiChangeExecute();
    void Action_BuchungenVHolenExecute();
    void Action_BuchungenEHolenExecute();
    void Action_KassenbuchHolenExecute();
    void Action_MwStEinExecute();
    void Action_TansExecute();
    void Action_KostenstelleExecute();
    void Action_DateVAusgabeExecute();
    void Action_ASCExportExecute();
    void Action_ExcelExportExecute();
    void Action_WordExportExecute();
    void Action_HelpExecute();
    void AbfrageWaWi();
    void AbfrageDateV();

    std::unique_ptr<TQemConnection> QemTorvikConn_;
    TWarten* warten_;
    TFehler* fehler_;
    std::unique_ptr<WidgetFeedback> eigenesFeedback_;
    Feedback* feedback_;
    std::unique_ptr<Programmstart> start_;
    QToolBox* navigation_ = nullptr;
    QVBoxLayout* journalBereich_ = nullptr;
    QWidget* journal_ = nullptr;
    QTimer* Timer_Programmend_;
    int tag_ = 0;
    bool formShowGelaufen_ = false;
    bool gestartet_ = false;
    bool startAbgebrochen_ = false;
    bool geschlossen_ = false;

    QAction* Action_Ende = nullptr;
    QAction* Action_WaWiChange = nullptr;
    QAction* Action_BuchungenVHolen = nullptr;
    QAction* Action_BuchungenEHolen = nullptr;
    QAction* Action_KassenbuchHolen = nullptr;
    QAction* Action_MwStEin = nullptr;
    QAction* Action_Tans = nullptr;
    QAction* Action_Kostenstelle = nullptr;
    QAction* Action_DateVAusgabe = nullptr;
    QAction* Action_ASCExport = nullptr;
    QAction* Action_ExcelExport = nullptr;
    QAction* Action_WordExport = nullptr;
    QAction* Action_Help = nullptr;
};
