// The import dialog: its controls with captions and defaults per mode, the options loaded from
// and stored back to the registry, the period presets, and runs started with "OK" on the demo
// merchandise database that post into the local journal.

#include "importwelt.h"
#include "wegklicker.h"

#include "shell/areaentries.h"
#include "import/belegauswahl.h"
#include "shell/tfm_import.h"
#include "store/einstellungen.h"
#include "store/registry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QtTest>

using fibuimport::ImportLauf;
using fibuimport::ImportModus;

Q_DECLARE_METATYPE(ImportModus)

namespace {

// A dialog over a connection that is never opened: enough for everything but a run.
struct Leer {
    testsupport::TempProgramDir programm{false};
    TQemConnection verbindung;
    Leer() { PfadeSetzen(); }
};

void schreiben(const QString& abschnitt, const QList<QPair<QString, QString>>& werte)
{
    for (const auto& [name, wert] : werte)
        QVERIFY(EinstellungSchreiben(abschnitt, name, wert));
}

// Flagged documents of client 1 whose effective kind belongs to the other mode.
int fremdeMarkierte(const QSqlDatabase& wawi, ImportModus modus)
{
    QHash<int, fibuimport::AuftragArtFlags> arten;
    QSqlQuery a(wawi);
    a.exec(QStringLiteral("SELECT Art, L_Gutschrift, L_Eingangsrechnung, L_Rechnung FROM Auftrag_Art"));
    while (a.next())
        arten.insert(a.value(0).toInt(), {a.value(1).toBool(), a.value(2).toBool(), a.value(3).toBool()});
    QSqlQuery q(wawi);
    q.exec(QStringLiteral("SELECT Art FROM Auftrag WHERE Mandant = 1 AND Fibu_Forderung = 1"));
    int n = 0;
    while (q.next()) {
        const int art = q.value(0).toInt();
        const auto it = arten.constFind(art);
        if (!fibuimport::artGehoertZumModus(fibuimport::effektiveArt(art, it == arten.constEnd() ? nullptr : &*it), modus))
            ++n;
    }
    return n;
}

}  // namespace

class TstTfmImport : public QObject {
    Q_OBJECT
private slots:
    void controlsAndDefaults_data();
    void controlsAndDefaults();
    void storedOptionsShownAndSavedBack();
    void periodPresets_data();
    void periodPresets();
    void accountLengthLabel();
    void invalidFilterRefused();
    void runFromDialog_data();
    void runFromDialog();
    void failingDocumentsListed();
    void unattendedFlag();
    void entryOpensTheMode_data();
    void entryOpensTheMode();
    void nothingChosen();
    void merchandiseWithoutGoBD_data();
    void merchandiseWithoutGoBD();
};

void TstTfmImport::controlsAndDefaults_data()
{
    QTest::addColumn<ImportModus>("modus");
    QTest::addColumn<QString>("kleinste");
    QTest::newRow("revenue") << ImportModus::Erloese << "10000";
    QTest::newRow("incoming invoices") << ImportModus::Eingang << "70000";
}

void TstTfmImport::controlsAndDefaults()
{
    QFETCH(ImportModus, modus);
    QFETCH(QString, kleinste);
    Leer leer;
    TFM_Import form(nullptr, leer.verbindung, QSqlDatabase(), modus);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Datenabgleich mit der Warenwirtschaft"));
    QCOMPARE(form.Fakt_Import(), modus == ImportModus::Erloese ? 0 : 2);

    const QList<QPair<QAbstractButton*, QString>> texte{
        {form.RadioButton3, "&gesamtes Jahr"},
        {form.RadioButton4, "&freier Zeitraum"},
        {form.RadioButton1, "für jeden Kunden/Lieferanten ein Konto anlegen"},
        {form.RadioButton2, "Kunden/Lieferanten auf folgende Konten buchen:"},
        {form.RadioButton5, "Kunden-/Lieferantennummer als Kontonummer benutzen"},
        {form.RadioButton6, "automatisch Nummierieren"},
        {form.RadioButton7, "mit Offset nummerieren"},
        {form.CB_Forderungen, "Ein + Ausgangsrechnungen"},
        {form.CB_Bezahlungen, "&Bezahlungen"},
        {form.CB_nurKonto, "beschränken auf ein bestimmtes Konto"},
        {form.CB_Nummern, "Vorgangsnr = Belegnummer"},
        {form.RadioButton9, "automatische Nummerierung"},
        {form.RB_eigenBuchungsText, "eigenen Buchungstext"},
        {form.RB_autoBuchungsText, "automatischen Buchungstext"},
        {form.BitBtn1, "OK"},
        {form.BitBtn3, "Filtern"},
    };
    for (const auto& [knopf, text] : texte)
        QCOMPARE(knopf->text(), text);

    // Nothing stored: every option at its default.
    const int jahr = QDate::currentDate().year();
    QVERIFY(form.RadioButton3->isChecked());
    QCOMPARE(form.DateTimePicker1->date(), QDate(jahr, 1, 1));
    QCOMPARE(form.DateTimePicker2->date(), QDate(jahr, 12, 31));
    QVERIFY(form.RadioButton1->isChecked());
    QCOMPARE(form.Notebook1->currentWidget()->objectName(), QStringLiteral("Nummer"));
    QVERIFY(form.RadioButton5->isChecked());
    QCOMPARE(form.SpinEdit1->minimum(), 0);
    QCOMPARE(form.SpinEdit1->maximum(), 100000);
    QCOMPARE(form.SpinEdit1->value(), 0);
    QCOMPARE(form.TKunden->text(), QStringLiteral("10000"));
    QCOMPARE(form.TLieferrant->text(), QStringLiteral("70000"));
    QVERIFY(form.CB_Forderungen->isChecked());
    QVERIFY(form.CB_Bezahlungen->isChecked());
    QVERIFY(!form.CB_nurKonto->isChecked());
    QCOMPARE(form.ED_ImpKonto->text(), QString());
    QVERIFY(form.CB_Nummern->isChecked());
    QVERIFY(form.RB_autoBuchungsText->isChecked());
    QCOMPARE(form.SP_KONTO->minimum(), 5);
    QCOMPARE(form.SP_KONTO->maximum(), 9);
    QCOMPARE(form.SP_KONTO->value(), 5);
    QCOMPARE(form.Label10->text(), kleinste);
    QCOMPARE(form.ED_Text->count(), 2);
    QCOMPARE(form.ED_Text->itemText(0),
             QStringLiteral("Vorgangsnr: {Vorgangsnummer} vom {Vorgangsdatum} Kunde {Suchbegriff]"));
    QCOMPARE(form.ED_Text->itemText(1), QStringLiteral("Kunde {Nummer}  {Suchbegriff}"));
    QCOMPARE(form.vorFilter(), QString());
}

// Stored values of the incoming-invoice section reach the controls; after changes, closing with
// "Abbrechen" writes every key back, FODERUNGEN spelled as stored, and a radio text that matches
// no button stays as it was.
void TstTfmImport::storedOptionsShownAndSavedBack()
{
    Leer leer;
    const QString abschnitt = QStringLiteral("TVK_Import2");
    schreiben(abschnitt, {{"GESAMTJAHR", "1"}, {"PERSONENKONTEN", "1"}, {"DEB_KONTO", "12000"},
                          {"KRE_KONTO", "71000"}, {"KONTENNUMMERN", "7"}, {"OFFSET", "500"},
                          {"FODERUNGEN", "0"}, {"BEZAHLUNGEN", "1"}, {"NUR_KONTO", "1"},
                          {"BEZ_KONTO", "1200"}, {"VOR_BELGNR", "1"}});
    QVERIFY(EinstellungSchreiben(QStringLiteral("TVK_Import0"), QStringLiteral("OFFSET"), QStringLiteral("33")));
    einstellungen().ImportText = QStringLiteral("Kunde {Nummer}  {Suchbegriff}");
    einstellungen().ImportText_ON = true;
    einstellungen().Adresskontn = 7;

    TFM_Import form(nullptr, leer.verbindung, QSqlDatabase(), ImportModus::Eingang);
    form.show();
    QVERIFY(form.RadioButton4->isChecked());
    QVERIFY(form.RadioButton2->isChecked());
    QCOMPARE(form.Notebook1->currentWidget()->objectName(), QStringLiteral("Vorgabe"));
    QCOMPARE(form.TKunden->text(), QStringLiteral("12000"));
    QCOMPARE(form.TLieferrant->text(), QStringLiteral("71000"));
    QVERIFY(!form.RadioButton5->isChecked() && !form.RadioButton6->isChecked() && !form.RadioButton7->isChecked());
    QCOMPARE(form.SpinEdit1->value(), 500);
    QVERIFY(!form.CB_Forderungen->isChecked());
    QVERIFY(form.CB_Bezahlungen->isChecked());
    QVERIFY(form.CB_nurKonto->isChecked());
    QCOMPARE(form.ED_ImpKonto->text(), QStringLiteral("1200"));
    QVERIFY(form.RadioButton9->isChecked());
    QVERIFY(form.RB_eigenBuchungsText->isChecked());
    QCOMPARE(form.ED_Text->currentText(), QStringLiteral("Kunde {Nummer}  {Suchbegriff}"));
    QCOMPARE(form.SP_KONTO->value(), 7);

    form.RadioButton1->click();
    QCOMPARE(form.Notebook1->currentWidget()->objectName(), QStringLiteral("Nummer"));
    form.CB_Forderungen->setChecked(true);
    form.CB_Bezahlungen->setChecked(false);
    form.SpinEdit1->setValue(250);
    form.ED_ImpKonto->setText(QStringLiteral("1360"));
    form.RadioButton3->click();
    form.RB_autoBuchungsText->setChecked(true);
    form.ED_Text->setCurrentText(QStringLiteral("Beleg {Vorgangsnummer}"));
    form.BitBtn2->click();
    QVERIFY(form.isHidden());

    auto gespeichert = [&](const char* name) { return EinstellungLesen(abschnitt, QLatin1String(name)); };
    QCOMPARE(gespeichert("GESAMTJAHR"), QStringLiteral("0"));
    QCOMPARE(gespeichert("PERSONENKONTEN"), QStringLiteral("0"));
    QCOMPARE(gespeichert("DEB_KONTO"), QStringLiteral("12000"));
    QCOMPARE(gespeichert("KRE_KONTO"), QStringLiteral("71000"));
    QCOMPARE(gespeichert("KONTENNUMMERN"), QStringLiteral("7"));
    QCOMPARE(gespeichert("OFFSET"), QStringLiteral("250"));
    QCOMPARE(gespeichert("FODERUNGEN"), QStringLiteral("1"));
    QCOMPARE(gespeichert("BEZAHLUNGEN"), QStringLiteral("0"));
    QCOMPARE(gespeichert("NUR_KONTO"), QStringLiteral("1"));
    QCOMPARE(gespeichert("BEZ_KONTO"), QStringLiteral("1360"));
    QCOMPARE(gespeichert("VOR_BELGNR"), QStringLiteral("1"));
    // The other mode's section is left alone.
    QCOMPARE(EinstellungLesen(QStringLiteral("TVK_Import0"), QStringLiteral("OFFSET")), QStringLiteral("33"));
    QCOMPARE(einstellungen().ImportText, QStringLiteral("Beleg {Vorgangsnummer}"));
    QVERIFY(!einstellungen().ImportText_ON);
    // The account length reaches the settings only when a run starts.
    QCOMPARE(einstellungen().Adresskontn, 7);
}

void TstTfmImport::periodPresets_data()
{
    QTest::addColumn<ImportModus>("modus");
    QTest::addColumn<QString>("gesamtJahr");
    QTest::addColumn<QString>("gespeichert");  // Verkauf_bis / Einkauf_bis
    QTest::addColumn<QDate>("von");
    QTest::addColumn<QDate>("bis");
    const QDate heute = QDate::currentDate();
    QTest::newRow("whole year of the stored sales date") << ImportModus::Erloese << "0" << "10.05.2019"
                                                         << QDate(2019, 1, 1) << QDate(2019, 12, 31);
    QTest::newRow("whole year, purchase date") << ImportModus::Eingang << "0" << "02.02.2021"
                                               << QDate(2021, 1, 1) << QDate(2021, 12, 31);
    QTest::newRow("free period from the stored date") << ImportModus::Erloese << "1" << "15.03.2019"
                                                      << QDate(2019, 3, 15) << heute;
    QTest::newRow("free period, stored date in the future") << ImportModus::Eingang << "1"
                                                            << heute.addDays(40).toString("dd.MM.yyyy")
                                                            << heute << heute;
    QTest::newRow("free period, nothing stored") << ImportModus::Erloese << "1" << "" << heute << heute;
}

void TstTfmImport::periodPresets()
{
    QFETCH(ImportModus, modus);
    QFETCH(QString, gesamtJahr);
    QFETCH(QString, gespeichert);
    QFETCH(QDate, von);
    QFETCH(QDate, bis);
    Leer leer;
    const QString name = modus == ImportModus::Erloese ? QStringLiteral("Verkauf_bis") : QStringLiteral("Einkauf_bis");
    QVERIFY(EinstellungSchreiben(QStringLiteral("Verzeichnis"), name, gespeichert));
    QVERIFY(EinstellungSchreiben(fibuimport::ImportOptionen::abschnitt(modus), QStringLiteral("GESAMTJAHR"), gesamtJahr));
    TFM_Import form(nullptr, leer.verbindung, QSqlDatabase(), modus);
    form.show();
    QCOMPARE(form.DateTimePicker1->date(), von);
    QCOMPARE(form.DateTimePicker2->date(), bis);
}

void TstTfmImport::accountLengthLabel()
{
    Leer leer;
    TFM_Import erloese(nullptr, leer.verbindung, QSqlDatabase(), ImportModus::Erloese);
    TFM_Import eingang(nullptr, leer.verbindung, QSqlDatabase(), ImportModus::Eingang);
    erloese.show();
    eingang.show();
    erloese.SP_KONTO->setValue(7);
    eingang.SP_KONTO->setValue(9);
    QCOMPARE(erloese.Label10->text(), QStringLiteral("1000000"));
    QCOMPARE(eingang.Label10->text(), QStringLiteral("700000000"));
}

void TstTfmImport::invalidFilterRefused()
{
    Leer leer;
    TFM_Import form(nullptr, leer.verbindung, QSqlDatabase(), ImportModus::Erloese);
    form.show();
    QVERIFY(form.setVorFilter(QStringLiteral("Adresse1 = 5")));
    QString fehler;
    QVERIFY(!form.setVorFilter(QStringLiteral("Adresse1 = = ("), &fehler));
    QVERIFY(!fehler.isEmpty());
    QCOMPARE(form.vorFilter(), QStringLiteral("Adresse1 = 5"));
}

void TstTfmImport::runFromDialog_data()
{
    QTest::addColumn<ImportModus>("modus");
    QTest::addColumn<bool>("forderungen");
    QTest::addColumn<bool>("bezahlungen");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("bucht");
    QTest::newRow("invoices and payments") << ImportModus::Erloese << true << true << "" << true;
    QTest::newRow("invoices only") << ImportModus::Erloese << true << false << "" << true;
    QTest::newRow("filter matching no document") << ImportModus::Erloese << true << true << "Auftrag < 0" << false;
    QTest::newRow("incoming invoices") << ImportModus::Eingang << true << true << "" << true;
}

// A run of the last 30 days started with "OK", as the user does: the bookings the
// engine counts are in the journal, the posted documents are flagged, and the dialog closes
// with its options stored.
void TstTfmImport::runFromDialog()
{
    QFETCH(ImportModus, modus);
    QFETCH(bool, forderungen);
    QFETCH(bool, bezahlungen);
    QFETCH(QString, filter);
    QFETCH(bool, bucht);
    ImportWelt welt;
    QVERIFY(welt.bereit);
    Wegklicker klicker;

    TFM_Import form(nullptr, welt.verbindung, welt.journal(), modus);
    form.show();
    form.RadioButton4Click();
    const QDate heute = QDate::currentDate();
    form.DateTimePicker1->setDate(heute.addDays(-30));
    form.DateTimePicker2->setDate(heute);
    form.CB_Forderungen->setChecked(forderungen);
    form.CB_Bezahlungen->setChecked(bezahlungen);
    form.SP_KONTO->setValue(6);
    QVERIFY(form.setVorFilter(filter));
    auto andereMarkiert = [&] { return fremdeMarkierte(welt.wawi(), modus); };
    const int andereVorher = andereMarkiert();
    const auto ergebnis = form.BitBtn1Click();

    QVERIFY(ergebnis.has_value());
    QCOMPARE(*ergebnis, ImportLauf::Ergebnis::Ausgefuehrt);
    QVERIFY(form.isHidden());
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(einstellungen().Adresskontn, 6);
    const QString abschnitt = fibuimport::ImportOptionen::abschnitt(modus);
    QCOMPARE(EinstellungLesen(abschnitt, QStringLiteral("GESAMTJAHR")), QStringLiteral("1"));
    QCOMPARE(EinstellungLesen(abschnitt, QStringLiteral("FODERUNGEN")),
             forderungen ? QStringLiteral("1") : QStringLiteral("0"));

    const int buchungen = welt.buchungen();
    QCOMPARE(buchungen, form.zaehler().buchungen);
    const int markiert = ImportWelt::wert(welt.wawi(), QStringLiteral("SELECT COUNT(*) FROM Auftrag WHERE Fibu_Forderung = 1 "
                                                                    "AND Mandant = 1")).toInt();
    if (bucht) {
        QVERIFY2(buchungen > 0, "the run posted nothing");
        QVERIFY(form.zaehler().gebucht > 0);
        QVERIFY(markiert >= form.zaehler().gebucht);
        // The bookings carry the client and the product of the run.
        QCOMPARE(ImportWelt::wert(welt.journal(), QStringLiteral("SELECT COUNT(*) FROM Buchungen WHERE Mandant <> 1 "
                                                                "OR PrgNr <> 3")).toInt(), 0);
        // The documents of the other mode keep their flags.
        QCOMPARE(andereMarkiert(), andereVorher);
    } else {
        QCOMPARE(buchungen, 0);
    }
    // The message list came up exactly when the run reported lines, with their headline.
    if (form.Error1()) {
        QCOMPARE(klicker.listeGezeigt, 1);
        QCOMPARE(klicker.listenzeilen.value(0), QStringLiteral("Daten-Import:"));
        QCOMPARE(klicker.listenzeilen.count(QStringLiteral("Daten-Import:")), 1);
    }
}

// Documents whose bookings the journal refuses fail one by one: each leaves its line in the
// message list, the run goes on, and "OK" returns only after the list was closed.
void TstTfmImport::failingDocumentsListed()
{
    ImportWelt welt;
    QVERIFY(welt.bereit);
    QSqlQuery sperre(welt.journal());
    QVERIFY2(sperre.exec(QStringLiteral("CREATE TRIGGER sperre BEFORE INSERT ON Buchungen WHEN NEW.Auftrag % 2 = 1 "
                                        "BEGIN SELECT RAISE(ABORT, 'Journal gesperrt'); END")),
             qPrintable(sperre.lastError().text()));
    Wegklicker klicker;
    TFM_Import form(nullptr, welt.verbindung, welt.journal(), ImportModus::Erloese);
    form.show();
    form.RadioButton4Click();
    form.DateTimePicker1->setDate(QDate::currentDate().addDays(-30));
    const auto ergebnis = form.BitBtn1Click();
    QCOMPARE(ergebnis, std::optional(ImportLauf::Ergebnis::Ausgefuehrt));
    QVERIFY(form.Error1());
    QVERIFY(form.zaehler().fehlerhaft > 0);
    QCOMPARE(klicker.listeGezeigt, 1);
    QCOMPARE(klicker.listenzeilen.mid(0, 2), (QStringList{"Daten-Import:", "=============="}));
    const QStringList fehler = klicker.listenzeilen.filter(QStringLiteral("Fehler beim Importieren Auftragsnr:"));
    QCOMPARE(fehler.size(), form.zaehler().fehlerhaft);
    QVERIFY(klicker.listenzeilen.join(QLatin1Char('\n')).contains(QStringLiteral("Journal gesperrt")));
    QCOMPARE(welt.buchungen(), form.zaehler().buchungen);
    QCOMPARE(ImportWelt::wert(welt.journal(), QStringLiteral("SELECT COUNT(*) FROM Buchungen WHERE Auftrag % 2 = 1")).toInt(), 0);
    QVERIFY(form.isHidden());
}

// The unattended start's use: with tag 1 the run asks nothing, does not wait for the message
// list and leaves closing the dialog to its caller, which stores the options.
void TstTfmImport::unattendedFlag()
{
    ImportWelt welt;
    QVERIFY(welt.bereit);
    Wegklicker klicker;
    TFM_Import form(nullptr, welt.verbindung, welt.journal(), ImportModus::Erloese);
    form.setTag(1);
    form.show();
    form.RadioButton4Click();
    form.DateTimePicker1->setDate(QDate::currentDate().addDays(-30));
    QCOMPARE(form.BitBtn1Click(), std::optional(ImportLauf::Ergebnis::Ausgefuehrt));
    QVERIFY(form.isVisible());
    QVERIFY(welt.buchungen() > 0);
    QVERIFY(klicker.meldungen.isEmpty());
    form.close();
    QCOMPARE(EinstellungLesen(QStringLiteral("TVK_Import0"), QStringLiteral("GESAMTJAHR")), QStringLiteral("1"));
}

void TstTfmImport::entryOpensTheMode_data()
{
    QTest::addColumn<int>("faktImport");
    QTest::addColumn<QString>("abschnitt");
    QTest::newRow("Erlöse einlesen") << 0 << "TVK_Import0";
    QTest::newRow("Eingangsrechnungen einlesen") << 2 << "TVK_Import2";
}

// The main window's actions reach the dialog through the area entry, modal, in their mode.
void TstTfmImport::entryOpensTheMode()
{
    QFETCH(int, faktImport);
    QFETCH(QString, abschnitt);
    Leer leer;
    int gesehen = -1;
    QTimer::singleShot(0, [&] {
        if (auto* form = qobject_cast<TFM_Import*>(QApplication::activeModalWidget())) {
            gesehen = form->Fakt_Import();
            form->BitBtn2->click();
        }
    });
    shell::showImportDialog(nullptr, leer.verbindung, faktImport);
    QCOMPARE(gesehen, faktImport);
    QCOMPARE(EinstellungLesen(abschnitt, QStringLiteral("FODERUNGEN")), QStringLiteral("1"));
}

// Neither invoices nor payments: every posting needs one of them, so the dialog asks for a
// choice and stays open instead of running.
void TstTfmImport::nothingChosen()
{
    ImportWelt welt;
    QVERIFY(welt.bereit);
    Wegklicker klicker;
    TFM_Import form(nullptr, welt.verbindung, welt.journal(), ImportModus::Erloese);
    form.show();
    form.RadioButton4Click();
    form.DateTimePicker1->setDate(QDate::currentDate().addDays(-30));
    form.CB_Forderungen->setChecked(false);
    form.CB_Bezahlungen->setChecked(false);
    QVERIFY(!form.BitBtn1Click().has_value());
    QVERIFY(form.isVisible());
    QCOMPARE(klicker.meldungen.size(), 1);
    QVERIFY(klicker.meldungen.first().startsWith(QStringLiteral("Bitte wählen Sie")));
    QCOMPARE(welt.buchungen(), 0);
}

// Without the table Monate the merchandise system does not keep its records as required: the
// run says so (unattended: in the message list, without a box) and changes nothing.
void TstTfmImport::merchandiseWithoutGoBD_data()
{
    QTest::addColumn<int>("tag");
    QTest::newRow("attended") << 0;
    QTest::newRow("unattended") << 1;
}

void TstTfmImport::merchandiseWithoutGoBD()
{
    QFETCH(int, tag);
    ImportWelt welt;
    QVERIFY(welt.bereit);
    welt.wawiAusfuehren(QStringLiteral("DROP TABLE Monate"));
    Wegklicker klicker;
    TFM_Import form(nullptr, welt.verbindung, welt.journal(), ImportModus::Erloese);
    form.setTag(tag);
    form.show();
    form.RadioButton4Click();
    form.DateTimePicker1->setDate(QDate::currentDate().addDays(-30));
    const auto ergebnis = form.BitBtn1Click();
    QVERIFY(ergebnis.has_value());
    QCOMPARE(*ergebnis, ImportLauf::Ergebnis::KeineGoBD);
    const QString meldung = QStringLiteral("Die Warenwirtschaft entspricht nicht der GoBD-Pflicht!");
    QCOMPARE(klicker.meldungen.contains(meldung), tag == 0);
    QCOMPARE(welt.buchungen(), 0);
    QCOMPARE(klicker.listeGezeigt, 0);
}

QTEST_MAIN(TstTfmImport)
#include "tst_tfm_import.moc"
