#include "shell/tfm_wawicfg.h"

#include "shell/tverbindungdialog.h"
#include "shell/widgetfeedback.h"
#include "store/einstellungen.h"
#include "store/registry.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

TFM_WaWiCFG::TFM_WaWiCFG(QWidget* parent, TQemConnection& verbindung, TQemDataSet& tblMandant)
    : QDialog(parent), feedback_(std::make_unique<WidgetFeedback>(this))
{
    setObjectName(QStringLiteral("TFM_WaWiCFG"));
    setWindowTitle(QStringLiteral("Warenwirtschaft - Einstellungen"));
    auswahl_ = std::make_unique<WaWiAuswahl>(verbindung, tblMandant, *feedback_);
    auswahl_->setParameter(QCoreApplication::arguments().mid(1));
    auswahl_->setVerbindungsEditor([this](QString& v, const QString& fehler) {
        TVerbindungDialog d(this, v, fehler);
        if (d.exec() != QDialog::Accepted)
            return false;
        v = d.verbindung();
        return true;
    });

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    cbProgramm_ = new QComboBox(this);
    cbProgramm_->setObjectName(QStringLiteral("CB_Programm"));
    cbProgramm_->setToolTip(QStringLiteral("welches Programm benutzen Sie ?"));
    form->addRow(QStringLiteral("Programmname:"), cbProgramm_);
    cbMandant_ = new QComboBox(this);
    cbMandant_->setObjectName(QStringLiteral("CB_Mandant"));
    cbMandant_->setToolTip(QStringLiteral("welche Firma soll abgefragt werden ?"));
    lblMandant_ = new QLabel(QStringLiteral("Mandant:"), this);
    form->addRow(lblMandant_, cbMandant_);
    layout->addLayout(form);

    auto* knoepfe = new QDialogButtonBox(this);
    auto* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    auto* schliessen = knoepfe->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    auto* bearbeiten = knoepfe->addButton(QStringLiteral("&Verbindung ..."), QDialogButtonBox::ActionRole);
    layout->addWidget(knoepfe);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(schliessen, &QPushButton::clicked, this, &QDialog::reject);
    connect(bearbeiten, &QPushButton::clicked, this, &TFM_WaWiCFG::verbindungBearbeiten);
    // activated: only the user's pick, not the filling of the lists.
    connect(cbProgramm_, &QComboBox::activated, this, &TFM_WaWiCFG::CB_ProgrammChange);
    connect(cbMandant_, &QComboBox::activated, this, &TFM_WaWiCFG::CB_MandantChange);
}

TFM_WaWiCFG::~TFM_WaWiCFG() = default;

void TFM_WaWiCFG::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (geladen_)
        return;
    geladen_ = true;
    {
        const QSignalBlocker block(cbProgramm_);
        cbProgramm_->clear();
        cbProgramm_->addItems(WaWiAuswahl::produktNamen());
    }
    ergebnis(auswahl_->formShow());
}

void TFM_WaWiCFG::anzeigen()
{
    const WaWiAnsicht& a = auswahl_->ansicht();
    const QSignalBlocker b1(cbProgramm_);
    const QSignalBlocker b2(cbMandant_);
    cbProgramm_->setCurrentIndex(a.programmIndex);
    cbMandant_->clear();
    cbMandant_->addItems(a.mandanten);
    cbMandant_->setCurrentIndex(a.mandantIndex);
    cbMandant_->setVisible(a.mandantenSichtbar);
    lblMandant_->setVisible(a.mandantenSichtbar);
}

void TFM_WaWiCFG::ergebnis(WaWiAuswahl::Ergebnis e)
{
    anzeigen();
    if (e != WaWiAuswahl::Ergebnis::Beenden)
        return;
    // As at start: without the merchandise-management database the program ends.
    reject();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

void TFM_WaWiCFG::CB_ProgrammChange(int index)
{
    ergebnis(auswahl_->programmGewaehlt(index));
}

void TFM_WaWiCFG::CB_MandantChange(int index)
{
    auswahl_->mandantGewaehlt(index);
    anzeigen();
}

void TFM_WaWiCFG::verbindungBearbeiten()
{
    const int programm = cbProgramm_->currentIndex();
    const QString schluessel = WaWiAuswahl::registrySchluessel(programm, QCoreApplication::arguments().mid(1));
    QString gespeichert;
    {
        RegistryWechsel wechsel(schluessel);
        gespeichert = WaWiAuswahl::LadenSQL_Connect();
    }
    TVerbindungDialog d(this, gespeichert);
    if (d.exec() != QDialog::Accepted)
        return;
    {
        RegistryWechsel wechsel(schluessel);
        EinstellungSchreiben(QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), d.verbindung());
    }
    ergebnis(auswahl_->programmGewaehlt(programm));
}
