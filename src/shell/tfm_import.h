#pragma once
// The import dialog "Datenabgleich mit der Warenwirtschaft" (TFM_Import) of the revenue import
// (Fakt_Import 0) and the incoming-invoice import (Fakt_Import 2). It holds the options of the
// run, loads them from Einstellungen\TVK_Import0 / TVK_Import2 when shown and stores them back
// when it closes (whatever closed it); the import engine (import/importlauf.h) does the work and
// reports through a WidgetFeedback: the wait window with its cancel button, then the message
// list when lines came in.
//
// Call sequence: TFM_Import form(parent, connection, journal, modus); form.exec(); "OK" runs
// BitBtn1Click() and closes the dialog. The unattended start sets setTag(1), shows the form,
// selects RadioButton4Click(), sets the period, calls BitBtn1Click() and closes the form; with
// tag 1 the engine's messages go to the message list and the run does not wait for it.
// The connection and the journal are not owned.

#include "import/importlauf.h"
#include "import/importmodus.h"
#include "import/importoptionen.h"

#include <QDialog>
#include <QSqlDatabase>

#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class TQemConnection;

class TFM_Import : public QDialog {
    Q_OBJECT
public:
    TFM_Import(QWidget* parent, TQemConnection& connection, const QSqlDatabase& journal,
               fibuimport::ImportModus modus);
    ~TFM_Import() override;

    fibuimport::ImportModus modus() const { return modus_; }
    int Fakt_Import() const { return fibuimport::faktImport(modus_); }
    void setTag(int tag) { tag_ = tag; }
    int tag() const { return tag_; }

    // The options as the controls show them; radio groups without a checked button keep the
    // text they were loaded with.
    fibuimport::ImportOptionen optionen() const;
    QString vorFilter() const { return vorFilter_; }
    // Sets Vor_Filter when the text is a valid filter expression; false (and unchanged) else.
    bool setVorFilter(const QString& filter, QString* fehler = nullptr);

    void RadioButton3Click();
    void RadioButton4Click();
    void BitBtn3Click();
    // The run; returns the engine's result, nothing when the run raised an error or when
    // neither invoices nor payments are chosen (then the dialog stays open to choose). The
    // dialog closes after a run unless its tag is 1.
    std::optional<fibuimport::ImportLauf::Ergebnis> BitBtn1Click();
    bool Error1() const { return error1_; }
    // Counters of the last run.
    const fibuimport::ImportZaehler& zaehler() const { return zaehler_; }

    // Controls, named as in the design (for the tests and the shell).
    QRadioButton* RadioButton3 = nullptr;  // "&gesamtes Jahr"
    QRadioButton* RadioButton4 = nullptr;  // "&freier Zeitraum"
    QDateEdit* DateTimePicker1 = nullptr;
    QDateEdit* DateTimePicker2 = nullptr;
    QRadioButton* RadioButton1 = nullptr;  // one account per address
    QRadioButton* RadioButton2 = nullptr;  // collective accounts
    QStackedWidget* Notebook1 = nullptr;   // pages "Nummer" and "Vorgabe"
    QRadioButton* RadioButton5 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    QRadioButton* RadioButton7 = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QSpinBox* SP_KONTO = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* TKunden = nullptr;
    QLineEdit* TLieferrant = nullptr;
    QCheckBox* CB_Forderungen = nullptr;
    QCheckBox* CB_Bezahlungen = nullptr;
    QCheckBox* CB_nurKonto = nullptr;
    QLineEdit* ED_ImpKonto = nullptr;
    QRadioButton* CB_Nummern = nullptr;    // "Vorgangsnr = Belegnummer"
    QRadioButton* RadioButton9 = nullptr;  // "automatische Nummerierung"
    QRadioButton* RB_autoBuchungsText = nullptr;
    QRadioButton* RB_eigenBuchungsText = nullptr;
    QComboBox* ED_Text = nullptr;
    QPushButton* BitBtn1 = nullptr;  // "OK"
    QPushButton* BitBtn2 = nullptr;  // "Abbrechen"
    QPushButton* BitBtn3 = nullptr;  // "Filtern"

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void aufbauen();
    QWidget* zeitraumGruppe();
    QWidget* personenkontenGruppe();
    QWidget* umfangGruppe();
    QWidget* nummernGruppe();
    QWidget* buchungstextGruppe();
    void FormShow();
    void FormClose();
    void SP_KONTOChange();
    void seiteWaehlen();
    QDate gespeichertesBisDatum() const;

    TQemConnection& connection_;
    QSqlDatabase journal_;
    fibuimport::ImportModus modus_;
    QButtonGroup* gesamtJahr_ = nullptr;
    QButtonGroup* personenkonten_ = nullptr;
    QButtonGroup* kontennummern_ = nullptr;
    QButtonGroup* vorBelgnr_ = nullptr;
    fibuimport::ImportOptionen geladen_;
    fibuimport::ImportZaehler zaehler_;
    QString vorFilter_;
    int tag_ = 0;
    bool error1_ = false;
    bool gezeigt_ = false;
    bool geschlossen_ = false;
};
