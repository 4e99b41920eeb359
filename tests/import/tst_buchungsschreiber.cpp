// The booking writer on the local journal: accounts and VAT side per mode and booking kind, the
// sign rule of overpayments, booking dates and texts per kind, VAT fields only for a VAT that
// survives rounding, and the voucher numbers.

#include "importwelt.h"

#include "import/buchungsschreiber.h"

#include <QSqlField>
#include <QtTest>

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

QSqlRecord beleg(int art, const QString& nummer)
{
    return zeile({{"Auftrag", 77}, {"Adresse1", 5}, {"Art", art}, {"Vorgangsnummer", nummer},
                  {"Vorgangsdatum", QDate(2024, 3, 5)}, {"Buchdatum", QDate(2024, 3, 20)},
                  {"Lieferanschrift", QString()}});
}

QSqlRecord letzte(QSqlDatabase db)
{
    return importwelt::Welt::lesen(db, QStringLiteral("SELECT * FROM Buchungen ORDER BY BuchNr DESC")).value(0);
}

}  // namespace

class TstBuchungsSchreiber : public QObject {
    Q_OBJECT
private slots:
    void kontenUndTexte_data();
    void kontenUndTexte();
    void steuerNurWennGerundetNichtNull();
    void belegnummern();
};

void TstBuchungsSchreiber::kontenUndTexte_data()
{
    QTest::addColumn<int>("modus");
    QTest::addColumn<int>("belegArt");
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("soll");
    QTest::addColumn<int>("haben");
    QTest::addColumn<QString>("ustSeite");  // "S" USTSollKonto, "H" USTHabenKonto
    QTest::addColumn<double>("brutto");
    QTest::addColumn<QDate>("datum");
    QTest::addColumn<QString>("text");

    const int e = int(ImportModus::Erloese);
    const int i = int(ImportModus::Eingang);
    const QDate vorgang(2024, 3, 5);
    const QDate buch(2024, 3, 20);
    const QDate beginn(2024, 3, 1);
    // Revenue: personal account 10023, revenue account 8400.
    QTest::newRow("sale") << e << 4 << 0 << 10023 << 8400 << "H" << 119.0 << vorgang << "Verkauf: Rechnr:4711 Kundennr:10023";
    QTest::newRow("payment") << e << 4 << 1 << 10023 << 8400 << "H" << 119.0 << buch << "Bezahlung: Rechnr:4711 Kundennr:10023";
    QTest::newRow("discount") << e << 4 << 2 << 10023 << 8400 << "S" << 119.0 << buch << "Skonto: Rechnr:4711 Kundennr:10023";
    QTest::newRow("reversal") << e << 4 << 3 << 10023 << 8400 << "H" << 119.0 << buch << "Rechnr:4711 Kundennr:10023";
    QTest::newRow("claim") << e << 4 << 4 << 10023 << 8400 << "H" << 119.0 << beginn << "Forderung: Rechnr:4711 Kundennr:10023";
    QTest::newRow("overpayment") << e << 4 << 5 << 8400 << 10023 << "H" << -119.0 << buch << "Überzahlung: Rechnr:4711 Kundennr:10023";
    QTest::newRow("credit note") << e << 7 << 0 << 10023 << 8400 << "H" << 119.0 << vorgang << "Verkauf: Gutschrift:4711 Kundennr:10023";
    QTest::newRow("value credit note") << e << 13 << 0 << 10023 << 8400 << "H" << 119.0 << vorgang << "Verkauf: Wertgutschrift:4711 Kundennr:10023";
    // Incoming invoices: personal account 10023 (creditor), expense account 8400.
    QTest::newRow("purchase") << i << 16 << 0 << 8400 << 10023 << "S" << 119.0 << vorgang << "Einrechnungsnr: 4711 Liefernr:10023";
    QTest::newRow("purchase discount") << i << 16 << 2 << 8400 << 10023 << "H" << 119.0 << buch << "Einrechnungsnr: 4711 Liefernr:10023";
    QTest::newRow("purchase overpayment") << i << 16 << 5 << 10023 << 8400 << "S" << -119.0 << buch << "Einrechnungsnr: 4711 Liefernr:10023";
    QTest::newRow("supplier credit note payment") << i << 20 << 1 << 8400 << 10023 << "S" << 119.0 << buch << "Lieferantengutschriftsnr: 4711 Liefernr:10023";
}

void TstBuchungsSchreiber::kontenUndTexte()
{
    QFETCH(int, modus);
    QFETCH(int, belegArt);
    QFETCH(int, art);
    QFETCH(int, soll);
    QFETCH(int, haben);
    QFETCH(QString, ustSeite);
    QFETCH(double, brutto);
    QFETCH(QDate, datum);
    QFETCH(QString, text);

    importwelt::Welt welt(importwelt::Dialekt::SQLite);
    QVERIFY2(welt.bereit(), qPrintable(welt.fehler()));
    const ImportKontext k = importwelt::demoKontext(ImportModus(modus));
    {
        BuchungsSchreiber s(welt.journal(), k);
        s.setPeriodenBeginn(QDate(2024, 3, 1));
        s.neuerBeleg();
        Buchung b;
        b.art = art;
        b.personenkonto = 10023;
        b.brutto = 119.0;
        b.mwst = 19.0;
        b.kostenstelle = 12;
        b.splittnummer = 1;
        b.vatKonto = 1776;
        b.konto = 8400;
        b.steuer = MwStAngabe{1, 0.19};
        s.buche(b, beleg(belegArt, QStringLiteral("4711")), zeile({{"Nummer", QStringLiteral("10023")}}));
    }
    const QSqlRecord r = letzte(welt.journal());
    QCOMPARE(r.value(QStringLiteral("Soll")).toInt(), soll);
    QCOMPARE(r.value(QStringLiteral("Haben")).toInt(), haben);
    const QString seite = ustSeite == QLatin1String("S") ? QStringLiteral("USTSollKonto") : QStringLiteral("USTHabenKonto");
    const QString andere = ustSeite == QLatin1String("S") ? QStringLiteral("USTHabenKonto") : QStringLiteral("USTSollKonto");
    QCOMPARE(r.value(seite).toInt(), 1776);
    QVERIFY(r.value(andere).isNull());
    QCOMPARE(r.value(QStringLiteral("Brutto")).toDouble(), brutto);
    QCOMPARE(r.value(QStringLiteral("USTBetrag")).toDouble(), brutto > 0 ? 19.0 : -19.0);
    QCOMPARE(r.value(QStringLiteral("Netto")).toDouble(), brutto > 0 ? 100.0 : -100.0);
    QCOMPARE(QDate::fromString(r.value(QStringLiteral("Datum")).toString().left(10), Qt::ISODate), datum);
    QCOMPARE(r.value(QStringLiteral("Buchungstext")).toString(), text);
    QCOMPARE(r.value(QStringLiteral("Buchungsnummer")).toInt(), 4711);
    QCOMPARE(r.value(QStringLiteral("Kostenstelle1")).toInt(), 12);
    QCOMPARE(r.value(QStringLiteral("Splittnummer")).toInt(), 1);
    QCOMPARE(r.value(QStringLiteral("MwSt")).toInt(), 1);
    QCOMPARE(r.value(QStringLiteral("MwStPro")).toDouble(), 0.19);
    QCOMPARE(r.value(QStringLiteral("Auftrag")).toInt(), 77);
    QCOMPARE(r.value(QStringLiteral("Adresse")).toInt(), 5);
    QCOMPARE(r.value(QStringLiteral("PrgNr")).toInt(), 3);
    QCOMPARE(r.value(QStringLiteral("Mandant")).toInt(), 1);
    QCOMPARE(r.value(QStringLiteral("Export")).toInt(), 0);
}

// VAT 0.004 rounds to 0.00: no VAT account, no MwSt, no MwStPro.
void TstBuchungsSchreiber::steuerNurWennGerundetNichtNull()
{
    importwelt::Welt welt(importwelt::Dialekt::SQLite);
    QVERIFY2(welt.bereit(), qPrintable(welt.fehler()));
    const ImportKontext k = importwelt::demoKontext(ImportModus::Erloese);
    {
        BuchungsSchreiber s(welt.journal(), k);
        s.neuerBeleg();
        Buchung b;
        b.personenkonto = 10023;
        b.brutto = 10.0;
        b.mwst = 0.004;
        b.vatKonto = 1776;
        b.konto = 8400;
        b.steuer = MwStAngabe{1, 0.19};
        s.buche(b, beleg(4, QStringLiteral("1")), zeile({{"Nummer", QStringLiteral("10023")}}));
    }
    const QSqlRecord r = letzte(welt.journal());
    QCOMPARE(r.value(QStringLiteral("USTBetrag")).toDouble(), 0.0);
    QCOMPARE(r.value(QStringLiteral("Netto")).toDouble(), 10.0);
    for (const char* f : {"USTSollKonto", "USTHabenKonto", "MwSt", "MwStPro", "Kostenstelle1", "Splittnummer"})
        QVERIFY2(r.value(QLatin1String(f)).isNull(), f);
}

// All bookings of a document share one number; the next document takes the next one. A document
// number the field cannot take falls back to the counter.
void TstBuchungsSchreiber::belegnummern()
{
    importwelt::Welt welt(importwelt::Dialekt::SQLite);
    QVERIFY2(welt.bereit(), qPrintable(welt.fehler()));
    ImportKontext k = importwelt::demoKontext(ImportModus::Erloese);
    QList<int> nummern;
    {
        BuchungsSchreiber s(welt.journal(), k);
        Buchung b;
        b.personenkonto = 10023;
        b.brutto = 10.0;
        b.konto = 8400;
        const QSqlRecord adresse = zeile({{"Nummer", QStringLiteral("10023")}});
        for (const QString& nr : {QStringLiteral("RE-1"), QStringLiteral("RE-2"), QStringLiteral("900"), QStringLiteral("RE-3")}) {
            s.neuerBeleg();
            for (int i = 0; i < 2; ++i)
                nummern << int(s.buche(b, beleg(4, nr), adresse) > 0 ? letzte(welt.journal()).value(QStringLiteral("Buchungsnummer")).toInt() : -1);
        }
    }
    QCOMPARE(nummern, (QList<int>{1, 1, 2, 2, 900, 900, 4, 4}));
}

QTEST_GUILESS_MAIN(TstBuchungsSchreiber)
#include "tst_buchungsschreiber.moc"
