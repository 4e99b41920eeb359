// The EXTF export against the demo merchandise-management database, on SQLite and on the
// MariaDB test server: the orders give the exchange factor, the EU VAT id, the shop and order
// numbers; the index Fibu is added to the address table when it is missing, and the account
// labels come from the client's addresses found over it.

#include "dataaccess/demodaten.h"
#include "export/extfexport.h"
#include "export/wawinachschlag.h"
#include "exportfixture.h"
#include "extfreader.h"

#include <QtTest>

using namespace exportfixture;

namespace {

QVariant eins(const World& w, const QString& sql)
{
    QSqlQuery q(w.wawi());
    if (!q.exec(sql) || !q.next())
        return {};
    return q.value(0);
}

int auftragZu(const World& w, const char* vorgangsnummer)
{
    return eins(w, QStringLiteral("SELECT Auftrag FROM Auftrag WHERE Vorgangsnummer='%1'")
                       .arg(QLatin1String(vorgangsnummer))).toInt();
}

// Indexes named Fibu on the address table (SQLite prefixes index names with the table).
int fibuIndexe(const World& w)
{
    return eins(w, w.mariaDb()
                       ? QStringLiteral("SELECT COUNT(DISTINCT INDEX_NAME) FROM information_schema.statistics "
                                        "WHERE table_schema=DATABASE() AND table_name='Adressen' "
                                        "AND INDEX_NAME='Fibu'")
                       : QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='index' "
                                        "AND tbl_name='Adressen' AND name LIKE '%Fibu'"))
        .toInt();
}

}  // namespace

class TstExtfWawi : public QObject {
    Q_OBJECT

private slots:
    void demoLookups_data();
    void demoLookups();
    void batchesAsSingleLookups_data() { demoLookups_data(); }
    void batchesAsSingleLookups();
};

void TstExtfWawi::demoLookups_data()
{
    QTest::addColumn<bool>("mariadb");
    QTest::newRow("sqlite") << false;
    QTest::newRow("mariadb") << true;
}

void TstExtfWawi::demoLookups()
{
    QFETCH(bool, mariadb);
    if (mariadb && !testsupport::TestMariaDb::available())
        QSKIP("no MariaDB test server");
    World w(mariadb ? Wawi::MariaDB : Wawi::SQLite);
    QSqlDatabase db = w.wawi();
    QString error;
    QVERIFY2(DemoDaten::fill(db, {}, &error), qPrintable(error));
    QCOMPARE(fibuIndexe(w), 0);

    const int eu = auftragZu(w, "50012");      // Steuer 3, address with EGID ATU12345678
    const int ausfuhr = auftragZu(w, "50013");  // Faktor 0.95
    QVERIFY(eu > 0 && ausfuhr > 0);
    const QString shop = eins(w, QStringLiteral("SELECT ShopID FROM Auftrag WHERE Auftrag=%1").arg(eu)).toString();
    const QString nummer =
        eins(w, QStringLiteral("SELECT Auftragsnummer FROM Auftrag WHERE Auftrag=%1").arg(eu)).toString();

    Buchung b;
    b.soll = 10457; b.auftrag = eu;           // WEBER, client 1
    w.buchen(b);
    b.soll = 12345; b.auftrag = ausfuhr; b.brutto = 50;  // FISCHER
    w.buchen(b);
    b.soll = 1200; b.haben = 70010; b.auftrag = 999999;  // unknown order; MOEBELWERKE SUED
    w.buchen(b);
    b.soll = 20002; b.haben = 12345; b.auftrag = 0;      // an account of client 2 only
    w.buchen(b);

    ExportOptionen o;
    o.von = QDate(2024, 1, 1);
    o.bis = QDate(2024, 12, 31);
    o.verzeichnis = w.out();
    o.mitKonten = true;
    o.aktivMandant = 1;
    o.unbeaufsichtigt = true;
    Recorder rec;
    for (int lauf = 0; lauf < 2; ++lauf) {  // the second run finds the index in place
        WaWiNachschlag wawi(w.conn);
        ExtfExport run(w.journal(), wawi, o, rec);
        QVERIFY(run.DateV_EXTF_Export());
        QCOMPARE(rec.messages, QStringList());
        QCOMPARE(fibuIndexe(w), 1);

        const QStringList konten =
            extfreader::lines(lesen(w.out() + QStringLiteral("/EXTF_Sachkontobeschriftungen.csv")));
        QCOMPARE(konten.mid(1), (QStringList{extfreader::kSpaltenKonten,
                                             "10457;\"WEBER KNr:10024\";\"de-DE\"",
                                             "12345;\"FISCHER KNr:10030\";\"de-DE\"",
                                             "70010;\"MOEBELWERKE SUED KNr:70002\";\"de-DE\""}));
    }

    // The first run exported all four bookings; the second found nothing new.
    o.nurNeue = false;
    WaWiNachschlag wawi(w.conn);
    ExtfExport run(w.journal(), wawi, o, rec);
    QVERIFY(run.DateV_EXTF_Export());
    const QStringList lines = extfreader::lines(lesen(w.out() + QStringLiteral("/EXTF_Buchungsstapel.csv")));
    QCOMPARE(lines.size(), 2 + 4);
    QList<QStringList> f;
    for (int i = 2; i < lines.size(); ++i)
        f << extfreader::fields(lines.at(i));
    QCOMPARE(f[0].at(3), QStringLiteral("1,0000"));
    QCOMPARE(f[0].at(39), QStringLiteral("\"ATU12345678\""));
    QCOMPARE(f[0].at(48), QLatin1Char('"') + shop + QLatin1Char('"'));
    QCOMPARE(f[0].at(50), QLatin1Char('"') + nummer + QLatin1Char('"'));
    QCOMPARE(f[1].at(3), QStringLiteral("0,9500"));
    QCOMPARE(f[1].at(39), QStringLiteral("\"\""));
    QCOMPARE(f[2].at(3), QStringLiteral("1,0000"));
    QCOMPARE(f[2].at(48), QStringLiteral("\"\""));
    QCOMPARE(f[3].mid(6, 2), (QStringList{"20002", "12345"}));
}

// Enough bookings for several blocks of order lookups, with unknown orders and bookings with
// zero amounts between them: every line equals the line of a run that looks up each booking's
// order on its own, as the table's key search does.
void TstExtfWawi::batchesAsSingleLookups()
{
    QFETCH(bool, mariadb);
    if (mariadb && !testsupport::TestMariaDb::available())
        QSKIP("no MariaDB test server");
    World w(mariadb ? Wawi::MariaDB : Wawi::SQLite);
    constexpr int kAuftraege = 2500;
    constexpr int kBuchungen = 17000;
    QSqlDatabase wawiDb = w.wawi();
    wawiDb.transaction();
    w.adresse(1, 1, 10001, QStringLiteral("EU"), QStringLiteral("ATU99"));
    for (int a = 1; a <= kAuftraege; ++a)
        w.auftrag(a, a % 3 ? 1.0 : 1.0 + a % 7 / 10.0, a % 5 ? 0 : 3, 1, a % 2, a % 4, a % 6);
    QVERIFY(wawiDb.commit());
    const auto muster = [](int i) {
        Buchung b;
        b.buchungsnummer = 100000 + i;
        b.datum = QDate(2024, 1, 1).addDays(i % 300);
        b.auftrag = i * 7 % (kAuftraege + 400) + 1;  // beyond 2500: not in the order table
        b.brutto = i % 5 ? 10 + i % 50 : 0;
        b.ust = i % 5 ? 1.5 : 0;
        return b;
    };
    w.journal().transaction();
    for (int i = 0; i < kBuchungen; ++i)
        w.buchen(muster(i));
    QVERIFY(w.journal().commit());

    ExportOptionen o;
    o.von = QDate(2024, 1, 1);
    o.bis = QDate(2024, 12, 31);
    o.verzeichnis = w.out();
    o.unbeaufsichtigt = true;
    Recorder rec;
    WaWiNachschlag wawi(w.conn);
    ExtfExport run(w.journal(), wawi, o, rec);
    QVERIFY(run.DateV_EXTF_Export());
    const QStringList lines = extfreader::lines(lesen(w.out() + QStringLiteral("/EXTF_Buchungsstapel.csv")));
    QCOMPARE(lines.size(), 2 + kBuchungen);

    QSqlQuery einzeln(w.wawi());
    QVERIFY(einzeln.prepare(QStringLiteral("SELECT Faktor, Abgeschlossen, Tage1, Tage3, Vorgangsdatum, Steuer, "
                                           "ShopID, Auftragsnummer FROM Auftrag WHERE Auftrag=?")));
    ExtfAuftragsStand stand;
    for (int zeile = 2; zeile < lines.size(); ++zeile) {
        const QStringList f = extfreader::fields(lines.at(zeile));
        const int i = extfreader::text(f.at(10)).toInt() - 100000;
        const Buchung m = muster(i);
        ExtfBuchung b;
        b.buchungsnummer = QString::number(m.buchungsnummer);
        b.datum = m.datum; b.soll = m.soll; b.haben = m.haben; b.buchungstext = m.text;
        b.brutto = m.brutto; b.ustBetrag = m.ust; b.auftrag = m.auftrag;
        QHash<int, ExtfAuftrag> gefunden;
        if (ExtfAuftragsStand::mitSuche(b)) {
            einzeln.bindValue(0, b.auftrag);
            QVERIFY(einzeln.exec());
            if (einzeln.next()) {
                ExtfAuftrag a;
                a.auftrag = b.auftrag;
                a.faktor = einzeln.value(0).toDouble();
                a.abgeschlossen = einzeln.value(1).toBool();
                a.tage1 = einzeln.value(2).toInt();
                a.tage3 = einzeln.value(3).toInt();
                a.vorgangsdatum = einzeln.value(4).toDate();
                a.steuer = einzeln.value(5).toInt();
                a.shopId = einzeln.value(6).toString();
                a.auftragsnummer = einzeln.value(7).toString();
                a.egid = a.steuer == 3 ? QStringLiteral("ATU99") : QString();
                gefunden.insert(a.auftrag, a);
            }
        }
        stand.weiter(b, gefunden);
        const QString erwartet = ExtfFormat::buchungszeile(b, stand.aktuell(), stand.faktor(), {});
        if (lines.at(zeile) != erwartet)
            QFAIL(qPrintable(QStringLiteral("line %1 of booking %2:\n%3\n%4").arg(zeile).arg(i).arg(lines.at(zeile), erwartet)));
    }
}

QTEST_GUILESS_MAIN(TstExtfWawi)
#include "tst_extfwawi.moc"
