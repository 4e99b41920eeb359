#pragma once
// The account translator "Kontenübersetzter - EU Lieferschwellen" (TFM_Tranlater): the local
// table KoTrans.db (revenue account, country, account booked instead, remark) in a grid with a
// record navigator and edit fields for the current row, in which Enter moves to the next field.
// The country is chosen from a sorted list of the merchandise-management countries whose Aktiv
// is set (Land.DB, read when the dialog is shown and closed again). "&OK" (F12) closes.
//
// Call sequence: TFM_Tranlater dialog(parent, connection, journal); dialog.exec(). KoTrans.db is
// opened when the dialog is shown and closed when it closes; closing posts a changed row first
// and stays open when the database rejects it. Connection and database are not owned.

#include <QDialog>
#include <QSqlDatabase>
#include <QStringList>

class Datensatznavigator;
class QComboBox;
class QDataWidgetMapper;
class QLineEdit;
class QPushButton;
class QSqlTableModel;
class QTableView;
class TQemConnection;

class TFM_Tranlater : public QDialog {
    Q_OBJECT
public:
    TFM_Tranlater(QWidget* parent, TQemConnection& connection, const QSqlDatabase& datenbank);
    ~TFM_Tranlater() override;

    // LandName of every active row of Land.DB, sorted; empty when the merchandise-management
    // database is not connected.
    static QStringList aktiveLaender(TQemConnection& connection);

    QTableView* DBGrid1 = nullptr;
    Datensatznavigator* DBNavigator1 = nullptr;
    QSqlTableModel* Tbl_KoTrans = nullptr;
    QDataWidgetMapper* Verbindung = nullptr;
    QLineEdit* ED_DKonto = nullptr;    // "Ursprungskonto"
    QComboBox* CB_Land = nullptr;      // "Land"
    QLineEdit* ED_AKonto = nullptr;    // "Übersetztes Konto"
    QLineEdit* ED_Bemerkung = nullptr; // "Bemerkung"
    QPushButton* BitBtn1 = nullptr;    // "&OK"

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* objekt, QEvent* event) override;

private:
    QWidget* feldGruppe();
    void tabelleOeffnen();
    void laenderLaden();
    void zeileZeigen(int zeile);

    TQemConnection& connection_;
};
