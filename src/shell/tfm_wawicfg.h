#pragma once
// "Warenwirtschaft - Einstellungen" (TFM_WaWiCFG): the product and client dialog. Picking a
// product or a client takes effect at once (WaWiAuswahl); "OK" and "Schließen" only close.
// "&Verbindung ..." opens the connection dialog for the chosen product, stores the confirmed
// string as its SQLVerbindung and connects again. When the connection or the client table is
// lost on the way, the dialog closes and the application ends, as at start.
//
//   TFM_WaWiCFG dlg(mainWindow, QemTorvikConn, Tbl_Mandant);  dlg.exec();

#include "dataaccess/wawiauswahl.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class WidgetFeedback;

class TFM_WaWiCFG : public QDialog {
    Q_OBJECT
public:
    TFM_WaWiCFG(QWidget* parent, TQemConnection& verbindung, TQemDataSet& tblMandant);
    ~TFM_WaWiCFG() override;

    QComboBox* CB_Programm() const { return cbProgramm_; }
    QComboBox* CB_Mandant() const { return cbMandant_; }
    WaWiAuswahl& auswahl() { return *auswahl_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CB_ProgrammChange(int index);
    void CB_MandantChange(int index);
    void verbindungBearbeiten();
    void anzeigen();
    void ergebnis(WaWiAuswahl::Ergebnis e);

    std::unique_ptr<WidgetFeedback> feedback_;
    std::unique_ptr<WaWiAuswahl> auswahl_;
    QComboBox* cbProgramm_ = nullptr;
    QComboBox* cbMandant_ = nullptr;
    QLabel* lblMandant_ = nullptr;
    bool geladen_ = false;
};
