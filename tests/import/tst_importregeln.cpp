// Rules of the document import that stand without a database: rates and accounts by date, rate
// matching, line amounts, slot reconciliation, booking texts, personal-account numbering and the
// document selection.

#include "import/belegauswahl.h"
#include "import/buchungsslots.h"
#include "import/buchungstext.h"
#include "import/mwsteintabelle.h"
#include "import/personenkontoregel.h"
#include "import/slotaufbau.h"
#include "import/steuerregeln.h"

#include <QSqlField>
#include <QSqlRecord>
#include <QTest>

using namespace fibuimport;

namespace {

QSqlRecord zeile(const QList<QPair<QString, QVariant>>& felder)
{
    QSqlRecord r;
    for (const auto& [name, wert] : felder) {
        QSqlField f(name, wert.metaType());
        f.setValue(wert);
        r.append(f);
    }
    return r;
}

}  // namespace

class TstImportRegeln : public QObject {
    Q_OBJECT
private slots:
    void satzNachDatum_data();
    void satzNachDatum();
    void kontoErmitteln_data();
    void kontoErmitteln();
    void zeilenBetrag_data();
    void zeilenBetrag();
    void abgleichAufBetrag();
    void lieferPrefix_data();
    void lieferPrefix();
    void vorlage();
    void personenkonto_data();
    void personenkonto();
    void bedingung_data();
    void bedingung();
    void effektiveArt();
    void vatCodeAusserhalb();
};

void TstImportRegeln::satzNachDatum_data()
{
    QTest::addColumn<QDate>("datum");
    QTest::addColumn<double>("satz");
    QTest::newRow("vor der Senkung") << QDate(2020, 6, 30) << 0.19;
    QTest::newRow("gesenkt") << QDate(2020, 7, 15) << 0.16;
    QTest::newRow("neuer Satz") << QDate(2021, 1, 5) << 0.19;
}

void TstImportRegeln::satzNachDatum()
{
    QFETCH(QDate, datum);
    QFETCH(double, satz);
    const QSqlRecord r = zeile({{"MwSt_Satz", 1}, {"Datum", QDate(2020, 7, 1)}, {"MwST", 19.0}, {"NMwST", 16.0},
                                {"NEU_Datum", QDate(2021, 1, 1)}, {"NEU_MWST", 19.0}});
    QCOMPARE(fibuimport::satzNachDatum(r, datum, datum), satz);
}

void TstImportRegeln::kontoErmitteln_data()
{
    QTest::addColumn<double>("brutto");
    QTest::addColumn<double>("mwst");
    QTest::addColumn<int>("konto");
    QTest::newRow("19 exakt") << 119.0 << 19.0 << 1776;
    QTest::newRow("7 exakt") << 107.0 << 7.0 << 1771;
    QTest::newRow("15.97 nahe 16") << 1.16 << 0.16 << 1775;  // rate 15.97
}

void TstImportRegeln::kontoErmitteln()
{
    QFETCH(double, brutto);
    QFETCH(double, mwst);
    QFETCH(int, konto);
    MwStEinTabelle t({zeile({{"MWSTSATZ", 1}, {"MWST", 19.0}, {"MWSTKONTOV", 1776}}),
                      zeile({{"MWSTSATZ", 2}, {"MWST", 7.0}, {"MWSTKONTOV", 1771}}),
                      zeile({{"MWSTSATZ", 3}, {"MWST", 16.0}, {"MWSTKONTOV", 1775}})});
    QCOMPARE(t.kontoErmitteln(mwst, brutto, ImportModus::Erloese), konto);
    QVERIFY_THROWS_EXCEPTION(std::domain_error, t.kontoErmitteln(5.0, 5.0, ImportModus::Erloese));
}

void TstImportRegeln::zeilenBetrag_data()
{
    QTest::addColumn<int>("art");
    QTest::addColumn<double>("anzahl");
    QTest::addColumn<double>("preiseinheit");
    QTest::addColumn<double>("betrag");
    QTest::newRow("normal") << 0 << 3.0 << 1.0 << 30.0;
    QTest::newRow("Preiseinheit 0.5 zaehlt als 1") << 0 << 3.0 << 0.5 << 30.0;
    QTest::newRow("Preiseinheit 100") << 0 << 3.0 << 100.0 << 0.3;
    QTest::newRow("Art 6 mit Anzahl 2") << 6 << 2.0 << 1.0 << -20.0;
}

void TstImportRegeln::zeilenBetrag()
{
    QFETCH(int, art);
    QFETCH(double, anzahl);
    QFETCH(double, preiseinheit);
    QFETCH(double, betrag);
    const QSqlRecord p = zeile({{"Art", art}, {"Preis", 10.0}, {"Anzahl", anzahl}, {"Preiseinheit", preiseinheit},
                                {"Rabatt", 0.0}, {"Rabatt2", 0.0}, {"Rabatt3", 0.0}});
    QCOMPARE(fibuimport::zeilenBetrag(p, 1.0, 2), betrag);
}

void TstImportRegeln::abgleichAufBetrag()
{
    BuchungsSlots s;
    s.kontoSlot(8400).brutto = 59.99;
    s.kontoSlot(8300).brutto = 40.0;
    s[10].mwst = 9.58;
    QCOMPARE(s.verdichten(), 2);
    s.rundenUndAbgleichen(2, 100.0);
    QCOMPARE(s[0].brutto, 60.0);
    QCOMPARE(s[0].mwst, 9.58);
    QCOMPARE(s[1].brutto, 40.0);
}

void TstImportRegeln::lieferPrefix_data()
{
    QTest::addColumn<QString>("anschrift");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("vier Zeilen") << "Herrn\r\nMax Muster\r\nHauptstr. 1\r\n12345 Musterstadt"
                                 << "Max Muster12345 Must";
    QTest::newRow("eine Zeile") << "Firma Beispiel GmbH & Co. KG" << "Firma Beispiel ";
    QTest::newRow("leer") << "  " << "";
}

void TstImportRegeln::lieferPrefix()
{
    QFETCH(QString, anschrift);
    QFETCH(QString, prefix);
    QCOMPARE(lieferNamensPrefix(anschrift), prefix);
    const QSqlRecord beleg = zeile({{"Art", 4}, {"Vorgangsnummer", "4711"}, {"Lieferanschrift", anschrift}});
    const QSqlRecord adresse = zeile({{"Nummer", "10023"}});
    const QString text = automatischerText(ImportModus::Erloese, Verkauf, beleg, adresse);
    QCOMPARE(text, (prefix.isEmpty() ? QString() : prefix + ">") + "Verkauf: Rechnr:4711 Kundennr:10023");
}

void TstImportRegeln::vorlage()
{
    const QSqlRecord beleg = zeile({{"Vorgangsnummer", "4711"}, {"Vorgangsdatum", QDate(2024, 3, 5)}});
    const QSqlRecord adresse = zeile({{"Suchbegriff", "MUSTER"}, {"Nummer", "10023"}});
    QCOMPARE(vorlageFuellen("Vorgangsnr: {Vorgangsnummer} vom {Vorgangsdatum} Kunde {Suchbegriff]", beleg, adresse),
             QString("Vorgangsnr: 4711 vom 05.03.2024 Kunde {Suchbegriff]"));
    QCOMPARE(vorlageFuellen("Kunde {Nummer}  {Suchbegriff} {Unbekannt}", beleg, adresse),
             QString("Kunde 10023  MUSTER Unbekannt"));
}

void TstImportRegeln::personenkonto_data()
{
    QTest::addColumn<int>("regel");
    QTest::addColumn<qint64>("vorhanden");
    QTest::addColumn<QString>("nummer");
    QTest::addColumn<qint64>("hoechstes");
    QTest::addColumn<qint64>("konto");
    QTest::newRow("automatisch erstes") << 1 << qint64(0) << "5" << qint64(0) << qint64(10001);
    QTest::newRow("automatisch nach 10457") << 1 << qint64(0) << "5" << qint64(10457) << qint64(10458);
    QTest::newRow("Adressnummer zu klein") << 0 << qint64(0) << "4711" << qint64(0) << qint64(10001);
    QTest::newRow("Offset") << 2 << qint64(0) << "123" << qint64(0) << qint64(10123);
    QTest::newRow("vorhandenes Konto bleibt") << 1 << qint64(12345) << "5" << qint64(0) << qint64(12345);
}

void TstImportRegeln::personenkonto()
{
    QFETCH(int, regel);
    QFETCH(qint64, vorhanden);
    QFETCH(QString, nummer);
    QFETCH(qint64, hoechstes);
    QFETCH(qint64, konto);
    PersonenkontoOptionen o;
    o.nummern = static_cast<KontenNummern>(regel);
    o.offset = 10000;
    const KontoEntscheidung k =
        personenkontoWaehlen(ImportModus::Erloese, o, vorhanden, nummer, [&](qint64) { return hoechstes; });
    QCOMPARE(k.konto, konto);
    QCOMPARE(k.speichern, vorhanden <= 0);
    QCOMPARE(kleinsteKontonummer(ImportModus::Eingang, 6), qint64(700000));
}

void TstImportRegeln::bedingung_data()
{
    QTest::addColumn<bool>("f");
    QTest::addColumn<bool>("b");
    QTest::addColumn<int>("server");
    QTest::addColumn<QString>("text");
    QTest::newRow("beide, SQL Server")
        << true << true << 0
        << "((Vorgangsdatum BETWEEN '20180101' AND '20180131') OR (Buchdatum BETWEEN '20180101' AND '20180131'))"
           " AND ((Art<>11) OR (Art=11 and ZBericht=1))";
    QTest::newRow("nur Bezahlungen, MariaDB")
        << false << true << 2
        << "((Buchdatum BETWEEN '2018-01-01' AND '2018-01-31')) AND ((Art<>11) OR (Art=11 and ZBericht=1))";
    // SQLite keeps dates as ISO text: the literals must compare as text.
    QTest::newRow("nur Forderungen, SQLite")
        << true << false << 3
        << "((Vorgangsdatum BETWEEN '2018-01-01' AND '2018-01-31')) AND ((Art<>11) OR (Art=11 and ZBericht=1))";
    QTest::newRow("keins") << false << false << 2 << "() AND ((Art<>11) OR (Art=11 and ZBericht=1))";
}

void TstImportRegeln::bedingung()
{
    QFETCH(bool, f);
    QFETCH(bool, b);
    QFETCH(int, server);
    QFETCH(QString, text);
    BedingungsOptionen o;
    o.forderungen = f;
    o.bezahlungen = b;
    o.von = QDate(2018, 1, 1);
    o.bis = QDate(2018, 1, 31);
    o.serverType = server;
    QCOMPARE(belegBedingung(o), text);
    o.ohnePosMod = true;
    QVERIFY(belegBedingung(o).endsWith(") AND (Art<>11)"));
}

void TstImportRegeln::effektiveArt()
{
    AuftragArtFlags beide{true, false, true};
    QCOMPARE(fibuimport::effektiveArt(30, &beide), 4);
    QCOMPARE(fibuimport::effektiveArt(30, nullptr), 30);
    BelegZustand z;
    z.effektiveArt = 4;
    z.gedruckt = true;
    z.vorgangsdatum = QDateTime(QDate(2024, 1, 31), QTime(10, 0));
    const Zeitraum zr{QDate(2024, 1, 1), QDate(2024, 1, 31)};
    QVERIFY(!entscheidungsZeile(1, z, zr, true, true).trifft);  // a time on the last day lies after it
    z.vorgangsdatum = QDateTime(QDate(2024, 1, 31), QTime(0, 0));
    QCOMPARE(entscheidungsZeile(1, z, zr, true, true).aktion, BelegAktion::RechnungBuchen);
    z.storniert = true;
    QVERIFY(!entscheidungsZeile(0, z, zr, true, true).trifft);  // never posted: no reversal
    z.fibuForderung = true;
    QVERIFY(entscheidungsZeile(0, z, zr, true, true).trifft);
}

void TstImportRegeln::vatCodeAusserhalb()
{
    BuchungsSlots s;
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, s.vatSlot(12, 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, s.vatSlot(-1, 1));
}

QTEST_GUILESS_MAIN(TstImportRegeln)
#include "tst_importregeln.moc"
