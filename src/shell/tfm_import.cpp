#include "shell/tfm_import.h"

#include "dataaccess/filterexpression.h"
#include "import/personenkontoregel.h"
#include "shell/fensterabwarten.h"
#include "shell/tfehler.h"
#include "shell/twarten.h"
#include "shell/widgetfeedback.h"
#include "store/einstellungen.h"
#include "store/registry.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <exception>

using namespace fibuimport;

namespace {

const char* const kWert = "wert";  // the stored text of a radio button

const QString kListenKopf = QStringLiteral("Daten-Import:");
const QString kListenStrich = QStringLiteral("==============");

QRadioButton* radio(const QString& text, const char* wert, QButtonGroup* gruppe)
{
    auto* b = new QRadioButton(text);
    b->setProperty(kWert, QString::fromLatin1(wert));
    gruppe->addButton(b);
    return b;
}

// Checks the button whose stored text is `wert`; a text of no button leaves all unchecked.
void gruppeSetzen(QButtonGroup* gruppe, const QString& wert)
{
    gruppe->setExclusive(false);
    for (QAbstractButton* b : gruppe->buttons())
        b->setChecked(b->property(kWert).toString() == wert);
    gruppe->setExclusive(true);
}

QString gruppenWert(const QButtonGroup* gruppe, const QString& geladen)
{
    const QAbstractButton* b = gruppe->checkedButton();
    return b ? b->property(kWert).toString() : geladen;
}

// A date as stored in the registry: German form, or ISO.
QDate datumAusText(const QString& text)
{
    const QString t = text.trimmed();
    for (const char* format : {"dd.MM.yyyy", "d.M.yyyy", "dd.MM.yy", "yyyy-MM-dd"}) {
        QDate d = QDate::fromString(t, QLatin1String(format));
        if (d.isValid()) {
            if (d.year() < 1950)
                d = d.addYears(100);  // two-digit years are of this century
            return d;
        }
    }
    return {};
}

QDateEdit* datumsfeld()
{
    auto* d = new QDateEdit;
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setDate(QDate::currentDate());
    return d;
}

// The engine's report in the windowed program: its headline goes to the wait window's headline,
// the count of documents to the window caption and the action line. The list headline is
// written by start() when the list is cleared, so the engine's own copy is not repeated.
// Unattended, messages become lines of the list and questions take their default answer, so
// nothing waits for a user.
class ImportFeedback : public Feedback {
public:
    ImportFeedback(QWidget* parent, bool unbeaufsichtigt) : inner_(parent), unbeaufsichtigt_(unbeaufsichtigt) {}

    void start() { inner_.start(QStringLiteral("Datenimport Vorgänge..."), kListenKopf); }
    void finish() { inner_.finish(); }
    int zeilen() const { return inner_.zeilenSeitStart(); }
    TFehler& fehler() const { return inner_.fehler(); }

    void setCaption(const QString& text) override { inner_.warten().setUeberschrift(text); }
    void setStatus(const QString& text) override
    {
        inner_.setCaption(text);
        inner_.setStatus(text);
    }
    void setProgress(qint64 value, qint64 maximum) override { inner_.setProgress(value, maximum); }
    bool cancelled() const override { return inner_.cancelled(); }
    void addMessage(const QString& line) override
    {
        if (kopf_ < 2 && line == (kopf_ == 0 ? kListenKopf : kListenStrich)) {
            ++kopf_;
            return;
        }
        kopf_ = 2;
        inner_.addMessage(line);
    }
    void message(const QString& text, MessageKind kind) override
    {
        if (unbeaufsichtigt_)
            addMessage(text);
        else
            inner_.message(text, kind);
    }
    bool ask(const QString& question, bool defaultAnswer) override
    {
        return unbeaufsichtigt_ ? defaultAnswer : inner_.ask(question, defaultAnswer);
    }

private:
    WidgetFeedback inner_;
    bool unbeaufsichtigt_;
    int kopf_ = 0;
};

}  // namespace

TFM_Import::TFM_Import(QWidget* parent, TQemConnection& connection, const QSqlDatabase& journal,
                       ImportModus modus)
    : QDialog(parent), connection_(connection), journal_(journal), modus_(modus)
{
    setObjectName(QStringLiteral("FM_Import"));
    setWindowTitle(QStringLiteral("Datenabgleich mit der Warenwirtschaft"));
    aufbauen();
}

TFM_Import::~TFM_Import() = default;

void TFM_Import::aufbauen()
{
    BitBtn1 = new QPushButton(QStringLiteral("OK"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Abbrechen"));
    BitBtn3 = new QPushButton(QStringLiteral("Filtern"));
    BitBtn3->setToolTip(QStringLiteral("Vorgangsfilter setzen"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TFM_Import::BitBtn3Click);

    auto* links = new QVBoxLayout;
    links->addWidget(zeitraumGruppe());
    links->addWidget(umfangGruppe());
    links->addWidget(buchungstextGruppe());
    links->addStretch();
    auto* mitte = new QVBoxLayout;
    mitte->addWidget(personenkontenGruppe());
    mitte->addWidget(nummernGruppe());
    mitte->addStretch();
    auto* knoepfe = new QVBoxLayout;
    knoepfe->addWidget(BitBtn1);
    knoepfe->addWidget(BitBtn2);
    knoepfe->addSpacing(12);
    knoepfe->addWidget(BitBtn3);
    knoepfe->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(links);
    layout->addLayout(mitte);
    layout->addLayout(knoepfe);
}

QWidget* TFM_Import::zeitraumGruppe()
{
    auto* gruppe = new QGroupBox(QStringLiteral("Zeitraum"));
    gesamtJahr_ = new QButtonGroup(gruppe);
    RadioButton3 = radio(QStringLiteral("&gesamtes Jahr"), "0", gesamtJahr_);
    RadioButton4 = radio(QStringLiteral("&freier Zeitraum"), "1", gesamtJahr_);
    connect(RadioButton3, &QRadioButton::clicked, this, &TFM_Import::RadioButton3Click);
    connect(RadioButton4, &QRadioButton::clicked, this, &TFM_Import::RadioButton4Click);
    DateTimePicker1 = datumsfeld();
    DateTimePicker2 = datumsfeld();
    auto* wahl = new QHBoxLayout;
    wahl->addWidget(RadioButton3);
    wahl->addWidget(RadioButton4);
    auto* form = new QFormLayout(gruppe);
    form->addRow(wahl);
    form->addRow(QStringLiteral("von:"), DateTimePicker1);
    form->addRow(QStringLiteral("bis:"), DateTimePicker2);
    return gruppe;
}

QWidget* TFM_Import::umfangGruppe()
{
    auto* gruppe = new QGroupBox(QStringLiteral("Was soll übernommen werden?"));
    CB_Forderungen = new QCheckBox(QStringLiteral("Ein + Ausgangsrechnungen"));
    CB_Forderungen->setChecked(true);
    CB_Bezahlungen = new QCheckBox(QStringLiteral("&Bezahlungen"));
    CB_Bezahlungen->setChecked(true);
    CB_nurKonto = new QCheckBox(QStringLiteral("beschränken auf ein bestimmtes Konto"));
    ED_ImpKonto = new QLineEdit;
    ED_ImpKonto->setMaxLength(9);
    ED_ImpKonto->setValidator(new QIntValidator(0, 999999999, ED_ImpKonto));

    auto* konto = new QHBoxLayout;
    konto->addSpacing(20);
    konto->addWidget(ED_ImpKonto);
    auto* layout = new QVBoxLayout(gruppe);
    layout->addWidget(CB_Forderungen);
    layout->addWidget(CB_Bezahlungen);
    layout->addWidget(CB_nurKonto);
    layout->addLayout(konto);
    return gruppe;
}

QWidget* TFM_Import::nummernGruppe()
{
    auto* gruppe = new QGroupBox(QStringLiteral("Belegnummer der Buchungen"));
    vorBelgnr_ = new QButtonGroup(gruppe);
    CB_Nummern = radio(QStringLiteral("Vorgangsnr = Belegnummer"), "0", vorBelgnr_);
    RadioButton9 = radio(QStringLiteral("automatische Nummerierung"), "1", vorBelgnr_);
    CB_Nummern->setChecked(true);
    auto* layout = new QVBoxLayout(gruppe);
    layout->addWidget(CB_Nummern);
    layout->addWidget(RadioButton9);
    return gruppe;
}

QWidget* TFM_Import::buchungstextGruppe()
{
    auto* gruppe = new QGroupBox(QStringLiteral("Buchungstext"));
    auto* wahl = new QButtonGroup(gruppe);
    RB_autoBuchungsText = new QRadioButton(QStringLiteral("automatischen Buchungstext"));
    RB_eigenBuchungsText = new QRadioButton(QStringLiteral("eigenen Buchungstext"));
    wahl->addButton(RB_autoBuchungsText);
    wahl->addButton(RB_eigenBuchungsText);
    RB_autoBuchungsText->setChecked(true);
    ED_Text = new QComboBox;
    ED_Text->setEditable(true);
    ED_Text->addItems({QStringLiteral("Vorgangsnr: {Vorgangsnummer} vom {Vorgangsdatum} Kunde {Suchbegriff]"),
                       QStringLiteral("Kunde {Nummer}  {Suchbegriff}")});
    ED_Text->setCurrentText(QString());
    ED_Text->setMinimumContentsLength(36);
    auto* layout = new QVBoxLayout(gruppe);
    layout->addWidget(RB_autoBuchungsText);
    layout->addWidget(RB_eigenBuchungsText);
    layout->addWidget(ED_Text);
    return gruppe;
}

QWidget* TFM_Import::personenkontenGruppe()
{
    auto* gruppe = new QGroupBox(QStringLiteral("Personenkonten"));
    personenkonten_ = new QButtonGroup(gruppe);
    RadioButton1 = radio(QStringLiteral("für jeden Kunden/Lieferanten ein Konto anlegen"), "0", personenkonten_);
    RadioButton2 = radio(QStringLiteral("Kunden/Lieferanten auf folgende Konten buchen:"), "1", personenkonten_);
    RadioButton1->setChecked(true);
    connect(RadioButton1, &QRadioButton::toggled, this, &TFM_Import::seiteWaehlen);
    connect(RadioButton2, &QRadioButton::toggled, this, &TFM_Import::seiteWaehlen);

    auto* nummer = new QWidget;
    nummer->setObjectName(QStringLiteral("Nummer"));
    kontennummern_ = new QButtonGroup(nummer);
    RadioButton5 = radio(QStringLiteral("Kunden-/Lieferantennummer als Kontonummer benutzen"), "0", kontennummern_);
    RadioButton6 = radio(QStringLiteral("automatisch Nummierieren"), "1", kontennummern_);
    RadioButton7 = radio(QStringLiteral("mit Offset nummerieren"), "2", kontennummern_);
    RadioButton5->setChecked(true);
    SpinEdit1 = new QSpinBox;
    SpinEdit1->setRange(0, 100000);
    SP_KONTO = new QSpinBox;
    SP_KONTO->setRange(5, 9);
    SP_KONTO->setValue(5);
    connect(SP_KONTO, &QSpinBox::valueChanged, this, &TFM_Import::SP_KONTOChange);
    Label10 = new QLabel;
    auto* offset = new QHBoxLayout;
    offset->addSpacing(20);
    offset->addWidget(SpinEdit1);
    offset->addStretch();
    auto* laenge = new QFormLayout;
    laenge->addRow(QStringLiteral("Länge der Adresskonten"), SP_KONTO);
    laenge->addRow(QStringLiteral("kleineste mögliche Nummer:"), Label10);
    auto* nl = new QVBoxLayout(nummer);
    nl->addWidget(RadioButton5);
    nl->addWidget(RadioButton6);
    nl->addWidget(RadioButton7);
    nl->addLayout(offset);
    nl->addLayout(laenge);
    nl->addStretch();

    auto* vorgabe = new QWidget;
    vorgabe->setObjectName(QStringLiteral("Vorgabe"));
    TKunden = new QLineEdit;
    TLieferrant = new QLineEdit;
    for (QLineEdit* e : {TKunden, TLieferrant}) {
        e->setMaxLength(9);
        e->setValidator(new QIntValidator(0, 999999999, e));
    }
    auto* vl = new QFormLayout(vorgabe);
    vl->addRow(QStringLiteral("Kundenkonto:"), TKunden);
    vl->addRow(QStringLiteral("Lieferrantenkonto:"), TLieferrant);

    Notebook1 = new QStackedWidget;
    Notebook1->addWidget(nummer);
    Notebook1->addWidget(vorgabe);

    auto* layout = new QVBoxLayout(gruppe);
    layout->addWidget(RadioButton1);
    layout->addWidget(RadioButton2);
    layout->addWidget(Notebook1);
    return gruppe;
}

void TFM_Import::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && !gezeigt_) {
        gezeigt_ = true;
        FormShow();
    }
}

void TFM_Import::done(int result)
{
    if (!geschlossen_)
        FormClose();
    QDialog::done(result);
}

void TFM_Import::FormShow()
{
    geschlossen_ = false;
    geladen_ = ImportOptionen::laden(modus_);
    gruppeSetzen(gesamtJahr_, geladen_.gesamtJahr);
    gruppeSetzen(personenkonten_, geladen_.personenkonten);
    gruppeSetzen(kontennummern_, geladen_.kontennummern);
    gruppeSetzen(vorBelgnr_, geladen_.vorBelgnr);
    TKunden->setText(geladen_.debKonto);
    TLieferrant->setText(geladen_.kreKonto);
    SpinEdit1->setValue(geladen_.offset);
    CB_Forderungen->setChecked(geladen_.forderungen);
    CB_Bezahlungen->setChecked(geladen_.bezahlungen);
    CB_nurKonto->setChecked(geladen_.nurKonto);
    ED_ImpKonto->setText(geladen_.bezKonto);

    const Einstellungen& e = einstellungen();
    ED_Text->setCurrentText(e.ImportText);
    RB_eigenBuchungsText->setChecked(e.ImportText_ON);
    RB_autoBuchungsText->setChecked(!e.ImportText_ON);
    SP_KONTO->setValue(qBound(5, e.Adresskontn, 9));
    vorFilter_.clear();

    if (RadioButton3->isChecked())
        RadioButton3Click();
    else if (RadioButton4->isChecked())
        RadioButton4Click();
    seiteWaehlen();
    SP_KONTOChange();
}

void TFM_Import::FormClose()
{
    geschlossen_ = true;
    optionen().speichern(modus_);
    Einstellungen& e = einstellungen();
    e.ImportText = ED_Text->currentText();
    e.ImportText_ON = RB_eigenBuchungsText->isChecked();
}

ImportOptionen TFM_Import::optionen() const
{
    ImportOptionen o;
    o.gesamtJahr = gruppenWert(gesamtJahr_, geladen_.gesamtJahr);
    o.personenkonten = gruppenWert(personenkonten_, geladen_.personenkonten);
    o.debKonto = TKunden->text().trimmed();
    o.kreKonto = TLieferrant->text().trimmed();
    o.kontennummern = gruppenWert(kontennummern_, geladen_.kontennummern);
    o.offset = SpinEdit1->value();
    o.forderungen = CB_Forderungen->isChecked();
    o.bezahlungen = CB_Bezahlungen->isChecked();
    o.nurKonto = CB_nurKonto->isChecked();
    o.bezKonto = ED_ImpKonto->text().trimmed();
    o.vorBelgnr = gruppenWert(vorBelgnr_, geladen_.vorBelgnr);
    return o;
}

QDate TFM_Import::gespeichertesBisDatum() const
{
    const QDate heute = QDate::currentDate();
    const QString name = modus_ == ImportModus::Erloese ? QStringLiteral("Verkauf_bis") : QStringLiteral("Einkauf_bis");
    const QDate d = datumAusText(
        EinstellungLesenVorgabe(QStringLiteral("Verzeichnis"), name, heute.toString(QStringLiteral("dd.MM.yyyy"))));
    return d.isValid() ? d : heute;
}

void TFM_Import::RadioButton3Click()
{
    RadioButton3->setChecked(true);
    const int jahr = gespeichertesBisDatum().year();
    DateTimePicker1->setDate(QDate(jahr, 1, 1));
    DateTimePicker2->setDate(QDate(jahr, 12, 31));
}

void TFM_Import::RadioButton4Click()
{
    RadioButton4->setChecked(true);
    const QDate heute = QDate::currentDate();
    DateTimePicker1->setDate(std::min(gespeichertesBisDatum(), heute));
    DateTimePicker2->setDate(heute);
}

void TFM_Import::seiteWaehlen()
{
    Notebook1->setCurrentIndex(RadioButton2->isChecked() ? 1 : 0);
}

void TFM_Import::SP_KONTOChange()
{
    Label10->setText(QString::number(kleinsteKontonummer(modus_, SP_KONTO->value())));
}

bool TFM_Import::setVorFilter(const QString& filter, QString* fehler)
{
    try {
        FilterExpression::parse(filter.trimmed());
    } catch (const FilterError& e) {
        if (fehler)
            *fehler = e.message();
        return false;
    }
    vorFilter_ = filter;
    return true;
}

void TFM_Import::BitBtn3Click()
{
    QString text = vorFilter_;
    for (;;) {
        bool ok = false;
        text = QInputDialog::getText(this, QStringLiteral("Vorgangsfilter setzen"), QStringLiteral("Filterausdruck"),
                                     QLineEdit::Normal, text, &ok);
        if (!ok)
            return;
        QString fehler;
        if (setVorFilter(text, &fehler))
            return;
        // A filter the run could not read would end it without a posting; say so now.
        QMessageBox::warning(this, windowTitle(), QStringLiteral("Der Filterausdruck ist ungültig:\n") + fehler);
    }
}

std::optional<ImportLauf::Ergebnis> TFM_Import::BitBtn1Click()
{
    const QDate von = DateTimePicker1->date();
    const QDate bis = DateTimePicker2->date();
    const ImportOptionen o = optionen();
    if (!o.forderungen && !o.bezahlungen) {
        // Every posting needs one of the two; a run would read nothing and say nothing.
        if (tag_ != 1)
            QMessageBox::information(this, windowTitle(),
                                     QStringLiteral("Bitte wählen Sie, was übernommen werden soll:\n"
                                                    "Ein + Ausgangsrechnungen und/oder Bezahlungen."));
        return std::nullopt;
    }
    const int laenge = SP_KONTO->value();
    einstellungen().Adresskontn = laenge;

    // The booking text is the one shown now, not the one stored at the last close.
    ImportKontext kontext = kontextAusEinstellungen(modus_, o, tag_ == 1);
    kontext.eigenerText = RB_eigenBuchungsText->isChecked();
    kontext.textVorlage = ED_Text->currentText();

    std::optional<ImportLauf::Ergebnis> ergebnis;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    {
        ImportFeedback feedback(this, tag_ == 1);
        try {
            ImportLauf lauf(connection_, journal_, kontext, o, o.personenkontoOptionen(laenge));
            lauf.setZeitraum(von, bis);
            lauf.setVorFilter(vorFilter_);
            feedback.start();
            ergebnis = lauf.ausfuehren(feedback);
            error1_ = error1_ || lauf.fehler();
            zaehler_ = lauf.zaehler();
        } catch (const std::exception& e) {
            feedback.addMessage(QStringLiteral("Während des Imports ist ein Fehler aufgetreten!\r")
                                + QString::fromUtf8(e.what()));
            error1_ = true;
        }
        if (ergebnis == ImportLauf::Ergebnis::TabellenFehler) {
            // Nothing was read: the user would otherwise take the empty journal for a done run.
            feedback.addMessage(QStringLiteral("Die Vorgänge der Warenwirtschaft konnten nicht gelesen werden, "
                                               "es wurde nichts importiert."));
        }
        QApplication::restoreOverrideCursor();
        feedback.finish();
        if (feedback.zeilen() > 0 && tag_ != 1)
            FensterAbwarten(&feedback.fehler());
    }
    if (tag_ != 1)
        accept();
    return ergebnis;
}
