#pragma once
// The export dialog "Datenexport" (TExport_Form) with its pages "ASC II Export" (page 0) and
// "DateV Export" (page 1). It holds the controls and options; the export engine
// (export/exportlauf.h) does the work and reports through a Feedback that drives the progress
// group GR_warten (DATEV) or the wait window (ASCII).
//
// Call sequence: TExport_Form form(parent, connection, journal); form.setSeite(page);
// form.exec() (FormShow fills the controls from QemDatev.ini and the registry section
// TVK_Export, "&Export" runs OKBtnClick, closing stores the options back). The unattended
// start sets setTag(1), shows the form and calls OKBtnClick() directly.
// The connection and the journal are not owned.

#include "export/exporteinstellungen.h"

#include <QDialog>
#include <QSqlDatabase>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeView;
class TQemConnection;

class TExport_Form : public QDialog {
    Q_OBJECT
public:
    TExport_Form(QWidget* parent, TQemConnection& connection, const QSqlDatabase& journal);
    ~TExport_Form() override;

    // 1 "DateV Export", 0 "ASC II Export".
    void setSeite(int page);
    int seite() const;
    // 1: unattended (no questions, no messages but the specified ones).
    void setTag(int tag) { tag_ = tag; }
    int tag() const { return tag_; }

    // The Export button. Returns whether the run succeeded.
    bool OKBtnClick();
    // Where the ASCII export goes; default: the save dialog (empty when cancelled).
    std::function<QString()> dateiWaehlen;
    // Shown values as the run takes them.
    ExportEinstellungen werte() const;
    QString filter() const { return filter_; }
    void setFilter(const QString& filter) { filter_ = filter; }
    // Selects a folder in the folder tree (and so in Verz).
    void verzeichnisWaehlen(const QString& path);

    // Controls, named as in the design (for the tests and the shell).
    QTabWidget* seiten = nullptr;
    QDateEdit* von = nullptr;
    QDateEdit* bis = nullptr;
    QSpinBox* SE_StartJahr = nullptr;
    QCheckBox* CB_nBuchungen = nullptr;
    QPushButton* BitBtn3 = nullptr;
    QLineEdit* DFV_Kenn = nullptr;
    QLineEdit* AbrechNr = nullptr;
    QLineEdit* DatenNr = nullptr;
    QLineEdit* Ed_Passwort = nullptr;
    QLineEdit* BeraterNr = nullptr;
    QLineEdit* BeraterName = nullptr;
    QLineEdit* MandantNr = nullptr;
    QCheckBox* CB_OBE = nullptr;
    QCheckBox* CB_KNE = nullptr;
    QRadioButton* RB_KontenDepKred = nullptr;
    QRadioButton* RB_keineKonten = nullptr;
    QRadioButton* RB_autoBuchungsText = nullptr;
    QRadioButton* RB_eigenBuchungsText = nullptr;
    QComboBox* ED_Text = nullptr;
    QTreeView* ShellTreeView1 = nullptr;
    QLabel* Verz = nullptr;
    QGroupBox* GR_warten = nullptr;
    QLabel* LB_Action1 = nullptr;
    QLabel* LB_Action2 = nullptr;
    QLabel* LB_Action3 = nullptr;
    QProgressBar* Fortschritt = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* AbbruchBtn = nullptr;
    QPushButton* FilternBtn = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QLineEdit* Edit1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void aufbauen();
    QWidget* datevSeite();
    QWidget* asciiSeite();
    void FormShow();
    void FormClose();
    void BitBtn3Click();
    void FilternClick();
    bool datevExport();
    bool asciiExport();

    TQemConnection& connection_;
    QSqlDatabase journal_;
    QFileSystemModel* ordner_ = nullptr;
    QString filter_;
    int tag_ = 0;
    bool gezeigt_ = false;
    bool geschlossen_ = false;
};
