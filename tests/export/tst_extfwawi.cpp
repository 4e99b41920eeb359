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

QTEST_GUILESS_MAIN(TstExtfWawi)
#include "tst_extfwawi.moc"
