#pragma once
// Entry points through which the main window and the unattended start reach the dialogs and
// runs of each area. Each area implements its own group in its own entries_<area>.cpp, so the
// main window never includes a dialog's header.

class QWidget;
class TQemConnection;
class Feedback;

namespace shell {

// --- merchandise-management product, client and connection (entries_wawi.cpp) ---
// ProgrammChange(1, Qem_Programm) and MandantChange(-1, Aktiv_Mandant) of the start-up.
// False when the merchandise-management database cannot be reached (window tag -99);
// the reason went to feedback.
bool startWaWi(TQemConnection& connection, Feedback& feedback);
// "Warenwirtschaft auswählen": the product and client dialog, modal.
void showWaWiDialog(QWidget* parent, TQemConnection& connection);

// --- import (entries_import.cpp) ---
// Unattended import of the last 30 days; true when every step succeeded.
bool unattendedImport(TQemConnection& connection, Feedback& feedback);
// faktImport: 0 revenue ("Erlöse einlesen"), 2 incoming invoices ("Eingangsrechnungen einlesen").
void showImportDialog(QWidget* parent, TQemConnection& connection, int faktImport);
void showCashBookImport(QWidget* parent, TQemConnection& connection);
void showMwStEinDialog(QWidget* parent);
void showTranslatorDialog(QWidget* parent, TQemConnection& connection);

// --- export (entries_export.cpp) ---
// Unattended DATEV export; true when every step succeeded.
bool unattendedExport(TQemConnection& connection, Feedback& feedback);
// page: 1 DATEV ("DateV-Ausgabe"), 0 ASCII ("ASCII Export").
void showExportDialog(QWidget* parent, TQemConnection& connection, int page);

// --- journal view, small dialogs and help (entries_journal.cpp) ---
// The journal view (with its search bar) for the main window's client area.
QWidget* createJournalView(QWidget* parent, TQemConnection& connection);
// Re-reads the journal after an import or export.
void refreshJournalView(QWidget* journalView);
void exportJournalToExcel(QWidget* journalView);
void exportJournalToWord(QWidget* journalView);
void showKostenstelleDialog(QWidget* parent);
// "Abfrage (WAWI)" with the journal as master data source, and "Abfrage (DateV)"; not modal.
void showWaWiQuery(QWidget* parent, TQemConnection& connection, QWidget* journalView);
void showLocalQuery(QWidget* parent);
void showHelp(QWidget* parent);

}  // namespace shell
