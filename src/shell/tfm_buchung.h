#pragma once
// The journal view (frame TFM_Buchung in the main window's client area): the search bar
// ("Suche:", "Suchen", "Suchansicht aus"), the buttons "&Tabellendesigner", "exportierte
// Buchungen löschen" and "Liste editierbar an/aus", a navigator and the grid of the journal.
//
// Scr_Buchung is the grid's model: the journal (TBL_Buchung, a SqlPageModel over Buchungen in
// BuchNr order) or, while a search result is shown, the search model (Query1). Both read lazily,
// so a journal of a million bookings opens at once.
//
// Call sequence: construct over the local database, setWaWi() for the take-back, Action_Open()
// at start-up, refresh() after an import or export, Action_Close() at the end. Questions and
// messages go through feedback() (message boxes by default; tests put their own in).

#include "grid/gridcolumns.h"
#include "shell/tfm_buchunglogic.h"

#include <QSqlDatabase>
#include <QSqlRecord>
#include <QWidget>

#include <functional>
#include <memory>

class Feedback;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QToolBar;
class QAction;
class SqlPageModel;
class OfficeTable;

class TFM_Buchung : public QWidget {
    Q_OBJECT
public:
    explicit TFM_Buchung(const QSqlDatabase& local, QWidget* parent = nullptr);
    ~TFM_Buchung() override;

    // The merchandise side of the take-back (owned).
    void setWaWi(std::unique_ptr<TFM_BuchungLogic::WaWi> wawi);
    // Replaces the message boxes (not owned); nullptr restores them.
    void setFeedback(Feedback* feedback);
    Feedback& feedback() const;
    TFM_BuchungLogic& logic() { return *logic_; }

    bool Action_Open();
    void Action_Close();
    // Re-reads the journal and keeps the current booking; a search result stays as it is.
    void refresh();

    // The search bar.
    void SP_SucheClick();
    void SpeedButton2Click();
    bool searchShown() const;
    QLineEdit* searchField() const { return suchFeld_; }

    // Direct editing, off at start.
    void SP_ListeneditClick();
    bool listEditable() const;

    // Delete the current booking (navigator, Ctrl+Entf) after the grid's confirmation.
    bool deleteCurrent();
    int Action_DeleteExport();
    // "&Tabellendesigner": opened by the grid designer when one is installed.
    void setTabellendesigner(std::function<void()> open);

    // Scr_Buchung: the model shown (journal or search result) and the grid.
    SqlPageModel* currentModel() const;
    SqlPageModel* journalModel() const { return journal_; }
    QTableView* grid() const { return grid_; }
    GridColumns columns() const;
    int currentRow() const;
    void setCurrentRow(int row);
    // Every field of the current booking (empty when there is none).
    QSqlRecord currentRecord() const;
    // The shown columns over every row of the shown model, for GridNachExcel/GridNachWord:
    // header = field names, cells = display texts (memo texts through RTFzuText).
    std::unique_ptr<OfficeTable> officeTable() const;

signals:
    // The current booking changed (row moved, other model shown, journal re-read).
    void currentBookingChanged();

private:
    void buildUi();
    void showModel(SqlPageModel* model);
    void insertBooking();
    void applyEditState();

    QSqlDatabase local_;
    std::unique_ptr<Feedback> boxes_;
    Feedback* feedback_ = nullptr;
    std::unique_ptr<TFM_BuchungLogic::WaWi> wawi_;
    std::unique_ptr<TFM_BuchungLogic> logic_;
    SqlPageModel* journal_ = nullptr;
    SqlPageModel* search_ = nullptr;
    QTableView* grid_ = nullptr;
    QLineEdit* suchFeld_ = nullptr;
    QPushButton* suchen_ = nullptr;
    QPushButton* suchansichtAus_ = nullptr;
    QPushButton* listenedit_ = nullptr;
    QPushButton* deleteExport_ = nullptr;
    QPushButton* designer_ = nullptr;
    QToolBar* navigator_ = nullptr;
    QAction* navInsert_ = nullptr;
    QMenu* popup_ = nullptr;
    std::function<void()> openDesigner_;
};
