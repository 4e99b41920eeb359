#include "shell/texport_form.h"

#include "export/exportlauf.h"
#include "shell/tfm_filter.h"
#include "shell/widgetfeedback.h"
#include "store/feedback.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const QString kFormatHinweis = QStringLiteral(
    "Die DateV unterstützt z.Z. 2 Datenformate:\r\n\r\nKNE (aktuelles Format seit 2000)\r\nOBE (altes Format seit 1993)\r\n\r\n"
    "Sollten Sie eine Fibusoftware haben, die nur das alte Format unterstützt,\r\nso haken Sie diesen Schalter an.");

QLineEdit* edit(int maxLength)
{
    auto* e = new QLineEdit;
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    return e;
}

// The DATEV writers report into the progress group of the dialog: three status lines and the
// progress bar, repainted after each change; messages as message boxes (the engine already
// leaves out what the unattended run must not show).
class GruppenFeedback : public Feedback {
public:
    GruppenFeedback(QWidget* parent, QLabel* l1, QLabel* l2, QLabel* l3, QProgressBar* bar)
        : parent_(parent), labels_{l1, l2, l3}, bar_(bar)
    {
    }
    void setStatus(const QString& text) override
    {
        const QStringList zeilen = text.split(QLatin1Char('\n'));
        for (int i = 0; i < 3; ++i)
            labels_[i]->setText(zeilen.value(i));
        QApplication::processEvents();
    }
    void setProgress(qint64 value, qint64 maximum) override
    {
        bar_->setValue(maximum > 0 ? static_cast<int>(value * 100 / maximum) : static_cast<int>(value));
        QApplication::processEvents();
    }
    void addMessage(const QString& line) override { lines << line; }
    void message(const QString& text, MessageKind kind) override
    {
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        if (kind == MessageKind::Information)
            QMessageBox::information(parent_, QStringLiteral("Datenexport"), shown);
        else
            QMessageBox::warning(parent_, QStringLiteral("Datenexport"), shown);
    }
    QStringList lines;

private:
    QWidget* parent_;
    QLabel* labels_[3];
    QProgressBar* bar_;
};

}  // namespace

TExport_Form::TExport_Form(QWidget* parent, TQemConnection& connection, const QSqlDatabase& journal)
    : QDialog(parent), connection_(connection), journal_(journal)
{
    setObjectName(QStringLiteral("Export_Form"));
    setWindowTitle(QStringLiteral("Datenexport"));
    aufbauen();
    dateiWaehlen = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Datenexport"), QString(),
                                            QStringLiteral("Textdatei (*.TXT);;für Word/Exel (*.DOC);;sonstiges (*.*)"));
    };
}

TExport_Form::~TExport_Form() = default;

void TExport_Form::aufbauen()
{
    seiten = new QTabWidget;
    seiten->addTab(asciiSeite(), QStringLiteral("ASC II Export"));
    seiten->addTab(datevSeite(), QStringLiteral("DateV Export"));

    OKBtn = new QPushButton(QStringLiteral("&Export"));
    OKBtn->setDefault(true);
    AbbruchBtn = new QPushButton(QStringLiteral("Abbruch"));
    FilternBtn = new QPushButton(QStringLiteral("&Filtern"));
    FilternBtn->setToolTip(QStringLiteral("setzen Sie einen Datenfilter (für Buchungen)"));
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(FilternBtn, &QPushButton::clicked, this, &TExport_Form::FilternClick);

    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(OKBtn);
    knoepfe->addWidget(AbbruchBtn);
    knoepfe->addWidget(FilternBtn);
    knoepfe->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(seiten, 1);
    layout->addLayout(knoepfe);
}

QWidget* TExport_Form::datevSeite()
{
    auto* seite = new QWidget;

    auto* zeitraum = new QGroupBox(QStringLiteral("Buchungen und Zeitraum wählen"));
    von = new QDateEdit;
    bis = new QDateEdit;
    for (QDateEdit* d : {von, bis}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    }
    SE_StartJahr = new QSpinBox;
    SE_StartJahr->setRange(1, 12);
    SE_StartJahr->setValue(1);
    SE_StartJahr->setToolTip(QStringLiteral("1=Jan,3=März;6=Juni,9=Sept,12=Dez"));
    CB_nBuchungen = new QCheckBox(QStringLiteral("nur neue Buchungen"));
    CB_nBuchungen->setChecked(true);
    CB_nBuchungen->setToolTip(QStringLiteral("nur Buchungen, die noch nicht ins DateV-Format geschrieben wurden"));
    BitBtn3 = new QPushButton(QStringLiteral("Filtern"));
    BitBtn3->setToolTip(QStringLiteral("Filter setzen"));
    connect(BitBtn3, &QPushButton::clicked, this, &TExport_Form::BitBtn3Click);
    auto* zf = new QFormLayout(zeitraum);
    zf->addRow(QStringLiteral("von"), von);
    zf->addRow(QStringLiteral("bis"), bis);
    zf->addRow(QStringLiteral("Startmonat des Geschäftsjahres (1=Jan,3=März, ...)"), SE_StartJahr);
    zf->addRow(CB_nBuchungen, BitBtn3);

    auto* datev = new QGroupBox;
    DFV_Kenn = edit(2);
    AbrechNr = edit(6);
    DatenNr = edit(3);
    Ed_Passwort = edit(4);
    BeraterNr = edit(7);
    BeraterName = edit(9);
    MandantNr = edit(0);
    auto* df = new QFormLayout(datev);
    df->addRow(QStringLiteral("DFV-Kennzeichen"), DFV_Kenn);
    df->addRow(QStringLiteral("Abrechnungsnr."), AbrechNr);
    df->addRow(QStringLiteral("Datenträgernr."), DatenNr);
    df->addRow(QStringLiteral("Paßwort:"), Ed_Passwort);
    df->addRow(QStringLiteral("Beraternr."), BeraterNr);
    df->addRow(QStringLiteral("Beratername"), BeraterName);
    df->addRow(QStringLiteral("Mandantennr."), MandantNr);
    CB_OBE = new QCheckBox(QStringLiteral("älteres OBE-Format benutzen (vor 2010)"));
    CB_OBE->setVisible(false);
    CB_KNE = new QCheckBox(QStringLiteral("altes KNE-Format benutzen (vor 2018)"));
    for (QCheckBox* c : {CB_OBE, CB_KNE}) {
        c->setToolTip(kFormatHinweis);
        df->addRow(c);
    }

    auto* konten = new QGroupBox(QStringLiteral("zusätzlich Konten mit Exportieren"));
    RB_KontenDepKred = new QRadioButton(QStringLiteral("Kreditoren / Debitoren ausgeben"));
    RB_keineKonten = new QRadioButton(QStringLiteral("&keine Konten exportieren"));
    RB_keineKonten->setChecked(true);
    RB_autoBuchungsText = new QRadioButton(QStringLiteral("automatische Kontenbeschriftung"));
    RB_autoBuchungsText->setToolTip(QStringLiteral("der Buchungstext wird auotmatisch erzeugt"));
    RB_autoBuchungsText->setChecked(true);
    RB_eigenBuchungsText = new QRadioButton(QStringLiteral("eigenen Kontenbeschriftung"));
    RB_eigenBuchungsText->setToolTip(QStringLiteral("der Buchungstext wird aus Ihrer Vorgabe erzeugt"));
    auto* kontenWahl = new QButtonGroup(konten);
    kontenWahl->addButton(RB_KontenDepKred);
    kontenWahl->addButton(RB_keineKonten);
    auto* textWahl = new QButtonGroup(konten);
    textWahl->addButton(RB_autoBuchungsText);
    textWahl->addButton(RB_eigenBuchungsText);
    ED_Text = new QComboBox;
    ED_Text->setEditable(true);
    ED_Text->addItems({QStringLiteral("{NUMMER}"), QStringLiteral("KUNDENNR {NUMMER}"),
                       QStringLiteral("{NUMMER} {SUCHBEGRIFF}"), QStringLiteral("KUNR {NUMMER} von {SUCHBEGRIFF}")});
    ED_Text->setCurrentText(QString());
    auto* kl = new QVBoxLayout(konten);
    kl->addWidget(RB_KontenDepKred);
    kl->addWidget(RB_keineKonten);
    kl->addWidget(RB_autoBuchungsText);
    kl->addWidget(RB_eigenBuchungsText);
    kl->addWidget(ED_Text);

    auto* verzeichnis = new QGroupBox(QStringLiteral("Verzeichnis auswählen:"));
    ordner_ = new QFileSystemModel(this);
    ordner_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    ordner_->setRootPath(QString());
    ShellTreeView1 = new QTreeView;
    ShellTreeView1->setModel(ordner_);
    for (int c = 1; c < ordner_->columnCount(); ++c)
        ShellTreeView1->hideColumn(c);
    ShellTreeView1->header()->hide();
    Verz = new QLabel(kVerzeichnisLeer);
    connect(ShellTreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    Verz->setText(ordner_->filePath(current));
            });
    auto* vl = new QVBoxLayout(verzeichnis);
    vl->addWidget(ShellTreeView1);
    vl->addWidget(Verz);

    GR_warten = new QGroupBox;
    LB_Action1 = new QLabel(QStringLiteral("..."));
    LB_Action2 = new QLabel(QStringLiteral("..."));
    LB_Action3 = new QLabel(QStringLiteral("..."));
    Fortschritt = new QProgressBar;
    Fortschritt->setRange(0, 100);
    auto* wl = new QVBoxLayout(GR_warten);
    wl->addWidget(new QLabel(QStringLiteral("bitte warten die Ausgabe läuft ....")));
    wl->addWidget(LB_Action1);
    wl->addWidget(LB_Action2);
    wl->addWidget(LB_Action3);
    wl->addWidget(Fortschritt);
    GR_warten->setVisible(false);

    auto* links = new QVBoxLayout;
    links->addWidget(zeitraum);
    links->addWidget(datev);
    links->addWidget(konten);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(verzeichnis, 1);
    rechts->addWidget(GR_warten);
    auto* layout = new QHBoxLayout(seite);
    layout->addLayout(links);
    layout->addLayout(rechts, 1);
    return seite;
}

QWidget* TExport_Form::asciiSeite()
{
    auto* seite = new QWidget;
    auto* standard = new QGroupBox(QStringLiteral("Standard ASC II - Export"));
    auto* RadioGroup2 = new QGroupBox(QStringLiteral("was möchten Sie Exportieren"));
    RadioButton1 = new QRadioButton(QStringLiteral("Buchungen"));
    RadioButton1->setChecked(true);
    (new QVBoxLayout(RadioGroup2))->addWidget(RadioButton1);
    auto* format = new QGroupBox(QStringLiteral("Exportformat"));
    Edit1 = new QLineEdit(QStringLiteral(";"));
    (new QFormLayout(format))->addRow(QStringLiteral("Trennzeichen :"), Edit1);
    auto* sl = new QVBoxLayout(standard);
    sl->addWidget(RadioGroup2);
    sl->addWidget(format);
    sl->addStretch();
    (new QVBoxLayout(seite))->addWidget(standard);
    return seite;
}

void TExport_Form::setSeite(int page)
{
    seiten->setCurrentIndex(page == 1 ? 1 : 0);
}

int TExport_Form::seite() const
{
    return seiten->currentIndex();
}

void TExport_Form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!gezeigt_) {
        gezeigt_ = true;
        FormShow();
    }
}

void TExport_Form::FormShow()
{
    const ExportEinstellungen w = ExportEinstellungen::laden();
    von->setDate(w.von);
    bis->setDate(w.bis);
    Edit1->setText(Edit1->text().trimmed());
    if (Edit1->text().isEmpty())
        Edit1->setText(QStringLiteral(";"));
    GR_warten->setVisible(false);
    if (w.verzeichnis != kVerzeichnisLeer)
        verzeichnisWaehlen(w.verzeichnis);
    DFV_Kenn->setText(w.dfv);
    DatenNr->setText(w.datenNr);
    AbrechNr->setText(w.abrechNr);
    BeraterNr->setText(w.beraterNr);
    MandantNr->setText(w.mandantNr);
    BeraterName->setText(w.beraterName);
    filter_ = w.filter;
    CB_nBuchungen->setChecked(w.nurNeue);
    RB_KontenDepKred->setChecked(w.mitKonten);
    RB_keineKonten->setChecked(!w.mitKonten);
    RB_eigenBuchungsText->setChecked(w.eigeneBeschriftung);
    RB_autoBuchungsText->setChecked(!w.eigeneBeschriftung);
    ED_Text->setCurrentText(w.vorlage);
    CB_OBE->setChecked(w.obe);
    CB_OBE->setEnabled(w.obeMoeglich);
    CB_KNE->setChecked(false);
}

void TExport_Form::verzeichnisWaehlen(const QString& path)
{
    const QModelIndex index = ordner_->index(path);
    if (!index.isValid())
        return;
    ShellTreeView1->setCurrentIndex(index);
    ShellTreeView1->scrollTo(index);
    Verz->setText(ordner_->filePath(index));
}

ExportEinstellungen TExport_Form::werte() const
{
    ExportEinstellungen w;
    w.von = von->date();
    w.bis = bis->date();
    w.verzeichnis = Verz->text();
    w.dfv = DFV_Kenn->text();
    w.datenNr = DatenNr->text();
    w.abrechNr = AbrechNr->text();
    w.beraterNr = BeraterNr->text();
    w.mandantNr = MandantNr->text();
    w.beraterName = BeraterName->text();
    w.filter = filter_;
    w.nurNeue = CB_nBuchungen->isChecked();
    w.mitKonten = RB_KontenDepKred->isChecked();
    w.eigeneBeschriftung = RB_eigenBuchungsText->isChecked();
    w.vorlage = ED_Text->currentText();
    w.obe = CB_OBE->isChecked();
    w.obeMoeglich = CB_OBE->isEnabled();
    return w;
}

void TExport_Form::BitBtn3Click()
{
    bool ok = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("Vorgangsfilter setzen"),
                                               QStringLiteral("Filterausdruck"), QLineEdit::Normal, filter_, &ok);
    filter_ = ok ? text : filter_;
}

void TExport_Form::FilternClick()
{
    filter_ = TFM_Filter::Bearbeiten(this, filter_);
}

bool TExport_Form::OKBtnClick()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::processEvents();
    const bool ok = seite() == 1 ? datevExport() : asciiExport();
    QApplication::restoreOverrideCursor();
    // Closed at once: the run belongs to this one showing of the dialog.
    if (tag_ == 1)
        FormClose();
    else
        accept();
    return ok;
}

bool TExport_Form::datevExport()
{
    const ExportEinstellungen w = werte();
    ExportOptionen o = w.inOptionen();
    o.startMonat = SE_StartJahr->value();
    o.kne = CB_KNE->isChecked();
    o.passwort = Ed_Passwort->text();
    o.unbeaufsichtigt = tag_ == 1;
    GruppenFeedback feedback(this, LB_Action1, LB_Action2, LB_Action3, Fortschritt);
    GR_warten->setVisible(true);
    Fortschritt->setValue(0);
    QApplication::processEvents();
    ExportLauf lauf(connection_, journal_, feedback);
    const bool ok = lauf.datev(w, o);
    GR_warten->setVisible(false);
    return ok;
}

bool TExport_Form::asciiExport()
{
    const QString pfad = dateiWaehlen ? dateiWaehlen() : QString();
    if (pfad.isEmpty())
        return false;
    ExportOptionen o = werte().inOptionen();
    o.unbeaufsichtigt = tag_ == 1;
    WidgetFeedback feedback(this);
    feedback.start(QStringLiteral("Datenexport ..."));
    ExportLauf lauf(connection_, journal_, feedback);
    const bool ok = lauf.ascii(o, pfad, Edit1->text());
    feedback.finish();
    return ok;
}

void TExport_Form::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TExport_Form::FormClose()
{
    if (geschlossen_ || !gezeigt_)
        return;
    geschlossen_ = true;
    werte().speichern();
}
