// What the export dialog starts with and stores: general settings, then the registry section
// TVK_Export, which wins; the OBE switch only with 5-digit personal accounts; the accounting
// number after a run.

#include "export/exporteinstellungen.h"
#include "store/einstellungen.h"
#include "store/registry.h"
#include "testsupport.h"

#include <QtTest>

class TstExportEinstellungen : public QObject {
    Q_OBJECT

private slots:
    void init();
    void emptyRegistryGivesDefaults();
    void registryWins_data();
    void registryWins();
    void obeOnlyWithFiveDigits();
    void targetDirectory();
    void closeStoresBack();
    void abrechnungsnummer_data();
    void abrechnungsnummer();
};

void TstExportEinstellungen::init()
{
    Vorgaben();
}

void TstExportEinstellungen::emptyRegistryGivesDefaults()
{
    testsupport::TempProgramDir dir(false);
    Einstellungen& e = einstellungen();
    e.DateV_mitKonten = true;
    e.ExportText_ON = true;
    e.ExportText = QStringLiteral("{NUMMER}");
    e.DateV_nurNeue = false;
    const ExportEinstellungen w = ExportEinstellungen::laden(QDate(2024, 7, 3));
    QCOMPARE(w.von, QDate(2024, 1, 1));
    QCOMPARE(w.bis, QDate(2024, 12, 31));
    QVERIFY(w.nurNeue);
    QVERIFY(!w.mitKonten);
    QVERIFY(!w.eigeneBeschriftung);
    QCOMPARE(w.vorlage, QString());
    QVERIFY(!w.obe);
    QVERIFY(w.obeMoeglich);
}

void TstExportEinstellungen::registryWins_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("wert");
    QTest::newRow("NEUE_BUCHUNG") << "NEUE_BUCHUNG" << "1";
    QTest::newRow("KONTEN_EXP") << "KONTEN_EXP" << "1";
    QTest::newRow("KONTEN_BESCH") << "KONTEN_BESCH" << "1";
    QTest::newRow("KONTEN_TEXT") << "KONTEN_TEXT" << " KUNR {NUMMER} ";
    QTest::newRow("DATEV_OBE") << "DATEV_OBE" << "1";
}

void TstExportEinstellungen::registryWins()
{
    QFETCH(QString, name);
    QFETCH(QString, wert);
    testsupport::TempProgramDir dir(false);
    QVERIFY(EinstellungSchreiben(kSektionExport, name, wert));
    const ExportEinstellungen w = ExportEinstellungen::laden();
    QCOMPARE(w.nurNeue, name != QLatin1String("NEUE_BUCHUNG"));
    QCOMPARE(w.mitKonten, name == QLatin1String("KONTEN_EXP"));
    QCOMPARE(w.eigeneBeschriftung, name == QLatin1String("KONTEN_BESCH"));
    QCOMPARE(w.vorlage, name == QLatin1String("KONTEN_TEXT") ? QStringLiteral("KUNR {NUMMER}") : QString());
    QCOMPARE(w.obe, name == QLatin1String("DATEV_OBE"));
}

void TstExportEinstellungen::obeOnlyWithFiveDigits()
{
    testsupport::TempProgramDir dir(false);
    EinstellungSchreiben(kSektionExport, QStringLiteral("DATEV_OBE"), QStringLiteral("1"));
    einstellungen().Adresskontn = 6;
    ExportEinstellungen w = ExportEinstellungen::laden();
    QVERIFY(!w.obe);
    QVERIFY(!w.obeMoeglich);
    w.speichern();
    QCOMPARE(EinstellungLesen(kSektionExport, QStringLiteral("DATEV_OBE")), QStringLiteral("0"));
}

void TstExportEinstellungen::targetDirectory()
{
    testsupport::TempProgramDir dir(false);
    einstellungen().DateV_Path = dir.path();
    QCOMPARE(ExportEinstellungen::laden().verzeichnis, dir.path());
    einstellungen().DateV_Path = dir.filePath(QStringLiteral("weg"));
    QCOMPARE(ExportEinstellungen::laden().verzeichnis, QStringLiteral("..."));
    einstellungen().DateV_Path = QStringLiteral("/proc");
    QCOMPARE(ExportEinstellungen::laden().verzeichnis, QStringLiteral("..."));
}

void TstExportEinstellungen::closeStoresBack()
{
    testsupport::TempProgramDir dir(false);
    ExportEinstellungen w;
    w.filter = QStringLiteral("Soll=1200");
    w.nurNeue = false;
    w.mitKonten = true;
    w.eigeneBeschriftung = true;
    w.vorlage = QStringLiteral("{NUMMER}");
    w.speichern();
    const Einstellungen& e = einstellungen();
    QCOMPARE(e.DateV_Filter, QStringLiteral("Soll=1200"));
    QVERIFY(!e.DateV_nurNeue);
    QVERIFY(e.DateV_mitKonten);
    QVERIFY(e.ExportText_ON);
    QCOMPARE(e.ExportText, QStringLiteral("{NUMMER}"));
    const auto reg = [](const char* n) { return EinstellungLesen(kSektionExport, QLatin1String(n)); };
    QCOMPARE(reg("NEUE_BUCHUNG"), QStringLiteral("1"));
    QCOMPARE(reg("KONTEN_EXP"), QStringLiteral("1"));
    QCOMPARE(reg("KONTEN_BESCH"), QStringLiteral("1"));
    QCOMPARE(reg("DATEV_OBE"), QStringLiteral("0"));
    QCOMPARE(reg("KONTEN_TEXT"), QStringLiteral("{NUMMER}"));
    // Read back as the next showing of the dialog sees them.
    const ExportEinstellungen n = ExportEinstellungen::laden();
    QVERIFY(!n.nurNeue && n.mitKonten && n.eigeneBeschriftung);
    QCOMPARE(n.filter, QStringLiteral("Soll=1200"));
}

void TstExportEinstellungen::abrechnungsnummer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("7") << "7" << "8";
    QTest::newRow("empty") << "" << "1";
    QTest::newRow("text-after-digits") << "12abc" << "13";
    QTest::newRow("decimal-truncated") << " 7,9 " << "8";
}

void TstExportEinstellungen::abrechnungsnummer()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(naechsteAbrechnungsnummer(text), expected);
}

QTEST_GUILESS_MAIN(TstExportEinstellungen)
#include "tst_exporteinstellungen.moc"
