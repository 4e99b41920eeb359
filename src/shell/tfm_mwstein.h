#pragma once
// The VAT account dialog "MwSt-Einstellung" (TFM_MwStEin): the local table MWSTEIN.DB in a grid,
// one row per VAT code with the VAT, discount and overpayment accounts of the bookkeeping, a
// record navigator to insert, delete and post rows, and "&Schließen".
//
// Call sequence: TFM_MwStEin dialog(parent, journal); dialog.exec(). The table is opened when
// the dialog is shown and closed when it closes; closing posts a changed row first and stays
// open when the database rejects it. The database is not owned.

#include <QDialog>
#include <QSqlDatabase>
#include <QStringList>

class Datensatznavigator;
class QPushButton;
class QSqlTableModel;
class QTableView;

class TFM_MwStEin : public QDialog {
    Q_OBJECT
public:
    explicit TFM_MwStEin(QWidget* parent, const QSqlDatabase& datenbank);
    ~TFM_MwStEin() override;

    // The fields of the grid in their order, and their captions (overpayment columns under their
    // field names); columns the table lacks are left out.
    static QStringList felder();
    static QString titel(const QString& feld);
    // The captions of the visible columns, left to right.
    QStringList spaltenTitel() const;

    QTableView* DBGrid1 = nullptr;
    Datensatznavigator* DBNavigator1 = nullptr;
    QSqlTableModel* Table1 = nullptr;
    QPushButton* BitBtn1 = nullptr;  // "&Schließen"

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void tabelleOeffnen();
    void spaltenOrdnen();
};
