#include "shell/tfm_haupt.h"

#include "dataaccess/tqemconnection.h"
#include "shell/areaentries.h"
#include "shell/tfehler.h"
#include "shell/twarten.h"
#include "shell/widgetfeedback.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>

#ifndef FIBU_VERSION
#define FIBU_VERSION "1.0"
#endif

QString Programmversion()
{
    return QStringLiteral(FIBU_VERSION);
}

TFM_Haupt::TFM_Haupt() : TFM_Haupt(Optionen{}) {}

TFM_Haupt::TFM_Haupt(Optionen optionen, QWidget* parent)
    : QMainWindow(parent),
      QemTorvikConn_(std::make_unique<TQemConnection>()),
      warten_(new TWarten(this)),
      fehler_(new TFehler(this)),
      Timer_Programmend_(new QTimer(this))
{
    setObjectName(QStringLiteral("FM_Haupt"));
    setWindowTitle(QStringLiteral("Fibu Schnittstelle"));
    QemTorvikConn_->LoginPrompt = false;
    QemTorvikConn_->CommandTimeout = 30000;
    if (optionen.feedback) {
        feedback_ = optionen.feedback;
    } else {
        eigenesFeedback_ = std::make_unique<WidgetFeedback>(this);
        feedback_ = eigenesFeedback_.get();
    }
    // FormCreate: PfadeSetzen.
    start_ = std::make_unique<Programmstart>(optionen.kommandozeile, *feedback_,
                                             std::move(optionen.schritte));

    Timer_Programmend_->setObjectName(QStringLiteral("Timer_Programmend"));
    Timer_Programmend_->setInterval(3000);
    Timer_Programmend_->setSingleShot(true);
    connect(Timer_Programmend_, &QTimer::timeout, this, &QWidget::close);

    aktionenAnlegen();
    menueAnlegen();

    auto* mitte = new QWidget(this);
    auto* layout = new QHBoxLayout(mitte);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(navigationAnlegen());
    journalBereich_ = new QVBoxLayout;
    layout->addLayout(journalBereich_, 1);
    setCentralWidget(mitte);
    statusBar();
    resize(1024, 700);
}

// The local database and the settings go before the connection does.
TFM_Haupt::~TFM_Haupt()
{
    startBeenden();
}

int TFM_Haupt::ergebnis() const
{
    return start_->fehlerfrei() && tag_ != -99 && !startAbgebrochen_ ? 0 : 1;
}

QAction* TFM_Haupt::aktion(const char* name, const QString& text, const QString& hinweis,
                           void (TFM_Haupt::*wirkung)())
{
    auto* a = new QAction(text, this);
    a->setObjectName(QLatin1String(name));
    a->setToolTip(hinweis.isEmpty() ? QString(text).remove(QLatin1Char('&')) : hinweis);
    a->setStatusTip(hinweis);
    connect(a, &QAction::triggered, this, wirkung);
    return a;
}

void TFM_Haupt::aktionenAnlegen()
{
    Action_Ende = aktion("Action_Ende", QStringLiteral("&Beenden"),
                         QStringLiteral("beendet das Programm"), &TFM_Haupt::Action_EndeExecute);
    Action_WaWiChange = aktion("Action_WaWiChange", QStringLiteral("Warenwirtschaft &auswählen"),
                               {}, &TFM_Haupt::Action_WaWiChangeExecute);
    Action_BuchungenVHolen = aktion("Action_BuchungenVHolen", QStringLiteral("Erlöse &einlesen"),
                                    QStringLiteral("einlesen der Verkaufszahlen (Erlöse)"),
                                    &TFM_Haupt::Action_BuchungenVHolenExecute);
    Action_BuchungenEHolen = aktion("Action_BuchungenEHolen",
                                    QStringLiteral("Eingangsrechnungen &einlesen"),
                                    QStringLiteral("einlesen der Einkaufszahlen (Kosten)"),
                                    &TFM_Haupt::Action_BuchungenEHolenExecute);
    Action_KassenbuchHolen = aktion("Action_KassenbuchHolen", QStringLiteral("Kassenbuch &einlesen"),
                                    QStringLiteral("einlesen des Kassenbuchs"),
                                    &TFM_Haupt::Action_KassenbuchHolenExecute);
    Action_MwStEin = aktion("Action_MwStEin", QStringLiteral("MwSt-Einstellungen"), {},
                            &TFM_Haupt::Action_MwStEinExecute);
    Action_Tans = aktion("Action_Tans", QStringLiteral("Lieferschwellen Translator"),
                         QStringLiteral("Ersetzte Konten, wenn Lieferschwellen aktiv sind"),
                         &TFM_Haupt::Action_TansExecute);
    Action_Kostenstelle = aktion("Action_Kostenstelle", QStringLiteral("Kostenstelle einstellen"),
                                 QStringLiteral("eine feste Kostenstelle "),
                                 &TFM_Haupt::Action_KostenstelleExecute);
    Action_DateVAusgabe = aktion("Action_DateVAusgabe", QStringLiteral("DateV-Ausgabe"), {},
                                 &TFM_Haupt::Action_DateVAusgabeExecute);
    Action_ASCExport = aktion("Action_ASCExport", QStringLiteral("ASCII Export"), {},
                              &TFM_Haupt::Action_ASCExportExecute);
    Action_ExcelExport = aktion("Action_ExcelExport", QStringLiteral("Excelexport"),
                                QStringLiteral("Export zu Excel"), &TFM_Haupt::Action_ExcelExportExecute);
    Action_WordExport = aktion("Action_WordExport", QStringLiteral("Wordexport"),
                               QStringLiteral("Export zu Word"), &TFM_Haupt::Action_WordExportExecute);
    Action_Help = aktion("Action_Help", QStringLiteral("Hilfe"), QStringLiteral("Programmhilfe"),
                         &TFM_Haupt::Action_HelpExecute);
}

void TFM_Haupt::menueAnlegen()
{
    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    QMenu* einstellungenMenue = datei->addMenu(QStringLiteral("Einstellungen"));
    einstellungenMenue->addAction(Action_WaWiChange);
    einstellungenMenue->addSeparator();
    einstellungenMenue->addAction(Action_MwStEin);
    einstellungenMenue->addSeparator();
    einstellungenMenue->addAction(Action_Kostenstelle);
    einstellungenMenue->addSeparator();
    einstellungenMenue->addAction(Action_Tans);
    datei->addSeparator();
    datei->addAction(Action_Ende);

    QMenu* eingabe = menuBar()->addMenu(QStringLiteral("&Eingabe (Import)"));
    eingabe->addAction(Action_BuchungenVHolen);
    eingabe->addSeparator();
    eingabe->addAction(Action_BuchungenEHolen);
    eingabe->addSeparator();
    eingabe->addAction(Action_KassenbuchHolen);

    QMenu* ausgabe = menuBar()->addMenu(QStringLiteral("&Ausgabe (Export)"));
    ausgabe->addAction(Action_DateVAusgabe);
    ausgabe->addSeparator();
    ausgabe->addAction(Action_ExcelExport);
    ausgabe->addAction(Action_WordExport);
    ausgabe->addAction(Action_ASCExport);

    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    hilfe->addAction(Action_Help);
    hilfe->addAction(QStringLiteral("Abfrage (WAWI)"), this, &TFM_Haupt::AbfrageWaWi);
    hilfe->addAction(QStringLiteral("Abfrage (DateV)"), this, &TFM_Haupt::AbfrageDateV);
}

QWidget* TFM_Haupt::navigationAnlegen()
{
    navigation_ = new QToolBox(this);
    navigation_->setObjectName(QStringLiteral("Navigation"));
    navigation_->setFixedWidth(210);
    auto panel = [this](const QString& titel, std::initializer_list<QAction*> aktionen) {
        auto* seite = new QWidget(navigation_);
        auto* layout = new QVBoxLayout(seite);
        for (QAction* a : aktionen) {
            auto* knopf = new QToolButton(seite);
            knopf->setDefaultAction(a);
            knopf->setToolButtonStyle(Qt::ToolButtonTextOnly);
            knopf->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            layout->addWidget(knopf);
        }
        layout->addStretch();
        return navigation_->addItem(seite, titel);
    };
    panel(QStringLiteral("Einstellungen"), {Action_Kostenstelle, Action_MwStEin, Action_WaWiChange});
    panel(QStringLiteral("Export"),
          {Action_DateVAusgabe, Action_ExcelExport, Action_WordExport, Action_ASCExport});
    navigation_->setCurrentIndex(panel(QStringLiteral("Import"),
                                       {Action_KassenbuchHolen, Action_BuchungenEHolen,
                                        Action_BuchungenVHolen}));
    return navigation_;
}

void TFM_Haupt::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (formShowGelaufen_)
        return;
    formShowGelaufen_ = true;
    // After the window is on screen, so the wait window and the messages have it as owner.
    QMetaObject::invokeMethod(this, &TFM_Haupt::FormShow, Qt::QueuedConnection);
}

void TFM_Haupt::FormShow()
{
    setWindowTitle(QStringLiteral("Qem-DateV Schnittstelle 2018 ") + Programmversion()
                   + QStringLiteral(" SQL-Connect"));
    const bool lokal = start_->lokalStarten();
    if (eigenesFeedback_)
        eigenesFeedback_->finish();
    if (!lokal) {
        startAbgebrochen_ = true;
        emit gestartet();
        close();
        return;
    }
    if (!start_->warenwirtschaftStarten(*QemTorvikConn_)) {
        tag_ = -99;
        emit gestartet();
        close();
        return;
    }
    journal_ = shell::createJournalView(this, *QemTorvikConn_);
    journal_->setObjectName(QStringLiteral("Journal"));
    journalBereich_->addWidget(journal_);
    journal_->show();
    gestartet_ = true;

    if (start_->kommandozeile().unbeaufsichtigt()) {
        tag_ = 1;
        start_->unbeaufsichtigtAusfuehren(*QemTorvikConn_);
        journalNeuLesen();
        Timer_Programmend_->start();
    }
    emit gestartet();
}

bool TFM_Haupt::FormCloseQuery()
{
    if (tag_ != 0 || startAbgebrochen_)
        return true;
    QMessageBox frage(QMessageBox::Question, windowTitle(),
                      QStringLiteral("Möchten Sie das Programm beenden?"),
                      QMessageBox::Ok | QMessageBox::Cancel, this);
    frage.button(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    frage.setDefaultButton(QMessageBox::Ok);
    return frage.exec() == QMessageBox::Ok;
}

void TFM_Haupt::startBeenden()
{
    if (geschlossen_)
        return;
    geschlossen_ = true;
    start_->beenden();
    QemTorvikConn_->Close();
}

// EinstellungenSpeichern, journal closed, databases disconnected.
void TFM_Haupt::FormClose()
{
    Timer_Programmend_->stop();
    warten_->hide();
    fehler_->hide();
    if (journal_) {
        journal_->hide();
        journal_->deleteLater();
        journal_ = nullptr;
    }
    startBeenden();
}

void TFM_Haupt::closeEvent(QCloseEvent* event)
{
    if (!geschlossen_ && !FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TFM_Haupt::journalNeuLesen()
{
    if (journal_)
        shell::refreshJournalView(journal_);
}

void TFM_Haupt::Action_EndeExecute() { close(); }
void TFM_Haupt::Action_WaWiChangeExecute() { shell::showWaWiDialog(this, *QemTorvikConn_); }

void TFM_Haupt::Action_BuchungenVHolenExecute()
{
    shell::showImportDialog(this, *QemTorvikConn_, 0);
    journalNeuLesen();
}

void TFM_Haupt::Action_BuchungenEHolenExecute()
{
    shell::showImportDialog(this, *QemTorvikConn_, 2);
    journalNeuLesen();
}

void TFM_Haupt::Action_KassenbuchHolenExecute()
{
    shell::showCashBookImport(this, *QemTorvikConn_);
    journalNeuLesen();
}

void TFM_Haupt::Action_MwStEinExecute() { shell::showMwStEinDialog(this); }
void TFM_Haupt::Action_TansExecute() { shell::showTranslatorDialog(this, *QemTorvikConn_); }
void TFM_Haupt::Action_KostenstelleExecute() { shell::showKostenstelleDialog(this); }

void TFM_Haupt::Action_DateVAusgabeExecute()
{
    shell::showExportDialog(this, *QemTorvikConn_, 1);
    journalNeuLesen();
}

// The dialog also offers its DATEV page, whose export marks bookings: show the marks afterwards.
void TFM_Haupt::Action_ASCExportExecute()
{
    shell::showExportDialog(this, *QemTorvikConn_, 0);
    journalNeuLesen();
}

void TFM_Haupt::Action_ExcelExportExecute()
{
    if (journal_)
        shell::exportJournalToExcel(journal_);
}

void TFM_Haupt::Action_WordExportExecute()
{
    if (journal_)
        shell::exportJournalToWord(journal_);
}

void TFM_Haupt::Action_HelpExecute() { shell::showHelp(this); }
void TFM_Haupt::AbfrageWaWi() { shell::showWaWiQuery(this, *QemTorvikConn_, journal_); }
void TFM_Haupt::AbfrageDateV() { shell::showLocalQuery(this); }
