// The export dialog: controls with their limits and defaults, the start values from the
// registry, the OBE switch, and an unattended DATEV run through the Export button.

#include "exportfixture.h"
#include "shell/texport_form.h"
#include "store/einstellungen.h"
#include "store/registry.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

using namespace exportfixture;

namespace {

// Answers every message box the dialog shows and keeps its text.
class Meldungen : public QObject {
public:
    Meldungen()
    {
        connect(&takt_, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texte << box->text();
                box->accept();
            }
        });
        takt_.start(20);
    }
    QStringList texte;

private:
    QTimer takt_;
};

QString beschriftung(const QWidget* w)
{
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return b->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return {};
}

}  // namespace

class TstTExportForm : public QObject {
    Q_OBJECT

private slots:
    void init() { Vorgaben(); }
    void controlsAndDefaults();
    void obeDisabledUnlessFiveDigits();
    void unattendedDatevRun();
    void captionsAndHints_data();
    void captionsAndHints();
    void attendedMessages_data();
    void attendedMessages();
    void asciiPage();
};

void TstTExportForm::captionsAndHints_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    const QString format = QStringLiteral(
        "Die DateV unterstützt z.Z. 2 Datenformate:\r\n\r\nKNE (aktuelles Format seit 2000)\r\n"
        "OBE (altes Format seit 1993)\r\n\r\nSollten Sie eine Fibusoftware haben, die nur das alte Format "
        "unterstützt,\r\nso haken Sie diesen Schalter an.");
    QTest::newRow("SE_StartJahr") << "SE_StartJahr" << "" << "1=Jan,3=März;6=Juni,9=Sept,12=Dez";
    QTest::newRow("CB_nBuchungen") << "CB_nBuchungen" << "nur neue Buchungen"
                                   << "nur Buchungen, die noch nicht ins DateV-Format geschrieben wurden";
    QTest::newRow("BitBtn3") << "BitBtn3" << "Filtern" << "Filter setzen";
    QTest::newRow("CB_OBE") << "CB_OBE" << "älteres OBE-Format benutzen (vor 2010)" << format;
    QTest::newRow("CB_KNE") << "CB_KNE" << "altes KNE-Format benutzen (vor 2018)" << format;
    QTest::newRow("RB_KontenDepKred") << "RB_KontenDepKred" << "Kreditoren / Debitoren ausgeben" << "";
    QTest::newRow("RB_keineKonten") << "RB_keineKonten" << "&keine Konten exportieren" << "";
    QTest::newRow("RB_autoBuchungsText") << "RB_autoBuchungsText" << "automatische Kontenbeschriftung"
                                         << "der Buchungstext wird auotmatisch erzeugt";
    QTest::newRow("RB_eigenBuchungsText") << "RB_eigenBuchungsText" << "eigenen Kontenbeschriftung"
                                          << "der Buchungstext wird aus Ihrer Vorgabe erzeugt";
    QTest::newRow("OKBtn") << "OKBtn" << "&Export" << "";
    QTest::newRow("AbbruchBtn") << "AbbruchBtn" << "Abbruch" << "";
    QTest::newRow("FilternBtn") << "FilternBtn" << "&Filtern" << "setzen Sie einen Datenfilter (für Buchungen)";
    QTest::newRow("RadioButton1") << "RadioButton1" << "Buchungen" << "";
}

void TstTExportForm::captionsAndHints()
{
    QFETCH(QString, control);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    World w;
    TExport_Form form(nullptr, w.conn, w.journal());
    const QHash<QString, QWidget*> controls{
        {"SE_StartJahr", form.SE_StartJahr}, {"CB_nBuchungen", form.CB_nBuchungen}, {"BitBtn3", form.BitBtn3},
        {"CB_OBE", form.CB_OBE}, {"CB_KNE", form.CB_KNE}, {"RB_KontenDepKred", form.RB_KontenDepKred},
        {"RB_keineKonten", form.RB_keineKonten}, {"RB_autoBuchungsText", form.RB_autoBuchungsText},
        {"RB_eigenBuchungsText", form.RB_eigenBuchungsText}, {"OKBtn", form.OKBtn},
        {"AbbruchBtn", form.AbbruchBtn}, {"FilternBtn", form.FilternBtn}, {"RadioButton1", form.RadioButton1}};
    QWidget* c = controls.value(control);
    QVERIFY(c);
    QCOMPARE(beschriftung(c), caption);
    QCOMPARE(c->toolTip(), hint);
    // Every label text of the dialog, as shown.
    QStringList labels;
    for (const QLabel* l : form.findChildren<QLabel*>())
        labels << l->text();
    for (const QGroupBox* g : form.findChildren<QGroupBox*>())
        labels << g->title();
    for (const char* text : {"von", "bis", "Startmonat des Geschäftsjahres (1=Jan,3=März, ...)", "DFV-Kennzeichen",
                             "Abrechnungsnr.", "Datenträgernr.", "Paßwort:", "Beraternr.", "Beratername",
                             "Mandantennr.", "Buchungen und Zeitraum wählen", "zusätzlich Konten mit Exportieren",
                             "Verzeichnis auswählen:", "bitte warten die Ausgabe läuft ....",
                             "Standard ASC II - Export", "was möchten Sie Exportieren", "Exportformat",
                             "Trennzeichen :"})
        QVERIFY2(labels.contains(QString::fromUtf8(text)), text);
    QStringList vorlagen;
    for (int i = 0; i < form.ED_Text->count(); ++i)
        vorlagen << form.ED_Text->itemText(i);
    QCOMPARE(vorlagen, (QStringList{"{NUMMER}", "KUNDENNR {NUMMER}", "{NUMMER} {SUCHBEGRIFF}",
                                    "KUNR {NUMMER} von {SUCHBEGRIFF}"}));
}

void TstTExportForm::attendedMessages_data()
{
    QTest::addColumn<bool>("verzeichnis");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("texte");
    QTest::newRow("success") << true << QString() << QStringList{"Der DateV-Export war erfolgreich!"};
    QTest::newRow("unknown-filter-field") << true << QStringLiteral("Gibtsnicht=1")
                                          << QStringList{"Filter ist nicht anwendbar!", "Der DateV-Export war erfolgreich!"};
    QTest::newRow("no-directory") << false << QString() << QStringList{"Das Verzeichnis existiert nicht! : ..."};
}

// Pressing Export in the shown dialog: the messages come as message boxes, the number of the
// accounting run goes up also when nothing could be written.
void TstTExportForm::attendedMessages()
{
    QFETCH(bool, verzeichnis);
    QFETCH(QString, filter);
    QFETCH(QStringList, texte);
    testsupport::TempProgramDir dir(false);
    World w;
    Buchung b;
    b.datum = QDate(QDate::currentDate().year(), 2, 3);
    w.buchen(b);
    einstellungen().DateV_Path = verzeichnis ? w.out() : dir.filePath(QStringLiteral("fehlt"));
    einstellungen().DateV_Abrechnr = QStringLiteral("41");
    TExport_Form form(nullptr, w.conn, w.journal());
    form.setSeite(1);
    form.show();
    form.setFilter(filter);
    Meldungen meldungen;
    form.OKBtnClick();
    QCOMPARE(meldungen.texte, texte);
    QCOMPARE(einstellungen().DateV_Abrechnr, QStringLiteral("42"));
    QCOMPARE(w.exportiert().size(), verzeichnis ? 1 : 0);
    QVERIFY(form.GR_warten->isHidden());
}

void TstTExportForm::asciiPage()
{
    testsupport::TempProgramDir dir(false);
    World w;
    w.buchen({});
    TExport_Form form(nullptr, w.conn, w.journal());
    form.setSeite(0);
    form.Edit1->setText(QStringLiteral("  "));
    form.show();
    QCOMPARE(form.Edit1->text(), QStringLiteral(";"));
    const QString datei = w.out() + QStringLiteral("/buchungen.txt");
    form.dateiWaehlen = [&] { return datei; };
    QVERIFY(form.OKBtnClick());
    const QStringList zeilen = QString::fromLatin1(lesen(datei)).split(QStringLiteral("\r\n"));
    QCOMPARE(zeilen.size(), 3);  // header, one booking, nothing after the last CR LF
    QVERIFY(zeilen.at(0).startsWith(QStringLiteral("BuchNr;Buchungsnummer;Datum;")));
    QVERIFY(zeilen.at(1).startsWith(QStringLiteral("1;1;05.03.2024;1200;8400;RE 1;119;")));
    QVERIFY(w.exportiert().isEmpty());
}

void TstTExportForm::controlsAndDefaults()
{
    testsupport::TempProgramDir dir(false);
    einstellungen().DateV_Path = dir.filePath(QStringLiteral("weg"));
    World w;
    TExport_Form form(nullptr, w.conn, w.journal());
    form.setSeite(1);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Datenexport"));
    QCOMPARE(form.seiten->tabText(0), QStringLiteral("ASC II Export"));
    QCOMPARE(form.seiten->tabText(1), QStringLiteral("DateV Export"));
    QCOMPARE(form.seite(), 1);
    QCOMPARE(form.DFV_Kenn->maxLength(), 2);
    QCOMPARE(form.AbrechNr->maxLength(), 6);
    QCOMPARE(form.DatenNr->maxLength(), 3);
    QCOMPARE(form.Ed_Passwort->maxLength(), 4);
    QCOMPARE(form.BeraterNr->maxLength(), 7);
    QCOMPARE(form.BeraterName->maxLength(), 9);
    QCOMPARE(form.SE_StartJahr->minimum(), 1);
    QCOMPARE(form.SE_StartJahr->maximum(), 12);
    QCOMPARE(form.SE_StartJahr->value(), 1);
    QVERIFY(form.CB_OBE->isHidden());
    QVERIFY(!form.CB_KNE->isChecked());
    QVERIFY(form.CB_nBuchungen->isChecked());
    QVERIFY(form.RB_keineKonten->isChecked());
    QVERIFY(form.RB_autoBuchungsText->isChecked());
    QCOMPARE(form.ED_Text->currentText(), QString());
    QCOMPARE(form.ED_Text->count(), 4);
    QCOMPARE(form.Verz->text(), QStringLiteral("..."));
    QVERIFY(form.GR_warten->isHidden());
    QVERIFY(form.OKBtn->isDefault());
    QCOMPARE(form.Edit1->text(), QStringLiteral(";"));
    QCOMPARE(form.von->date(), QDate(QDate::currentDate().year(), 1, 1));
    QCOMPARE(form.bis->date(), QDate(QDate::currentDate().year(), 12, 31));
}

void TstTExportForm::obeDisabledUnlessFiveDigits()
{
    testsupport::TempProgramDir dir(false);
    EinstellungSchreiben(kSektionExport, QStringLiteral("DATEV_OBE"), QStringLiteral("1"));
    einstellungen().Adresskontn = 6;
    World w;
    {
        TExport_Form form(nullptr, w.conn, w.journal());
        form.show();
        QVERIFY(!form.CB_OBE->isChecked());
        QVERIFY(!form.CB_OBE->isEnabled());
        form.reject();
    }
    QCOMPARE(EinstellungLesen(kSektionExport, QStringLiteral("DATEV_OBE")), QStringLiteral("0"));
}

void TstTExportForm::unattendedDatevRun()
{
    testsupport::TempProgramDir dir(false);
    World w;
    Buchung b;
    b.datum = QDate(QDate::currentDate().year(), 2, 3);
    w.buchen(b);
    einstellungen().DateV_Path = w.out();
    TExport_Form form(nullptr, w.conn, w.journal());
    form.setTag(1);
    form.setSeite(1);
    form.show();
    QCOMPARE(form.Verz->text(), w.out());
    form.AbrechNr->setText(QStringLiteral("7"));
    QVERIFY(form.OKBtnClick());
    QCOMPARE(einstellungen().DateV_Abrechnr, QStringLiteral("8"));
    QCOMPARE(w.exportiert(), QList<qint64>{1});
    QVERIFY(QFile::exists(w.out() + QStringLiteral("/EXTF_Buchungsstapel.csv")));
    QVERIFY(form.GR_warten->isHidden());
}

QTEST_MAIN(TstTExportForm)
#include "tst_texport_form.moc"
