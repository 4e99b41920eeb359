// From the merchandise-management database to DATEV: the demo database imported into a fresh
// local journal, then exported as EXTF; the files read back hold one line per booking with the
// journal's amounts and accounts, and every booking is marked as exported.

#include "../import/importwelt.h"
#include "dataaccess/demodaten.h"
#include "export/extfexport.h"
#include "export/wawinachschlag.h"
#include "extfreader.h"
#include "import/importlauf.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using importwelt::Dialekt;
using importwelt::Welt;

namespace {

qint64 cent(double betrag)
{
    return std::llround(betrag * 100.0);
}

// "1234,50" -> 123450
qint64 cent(const QString& umsatz)
{
    QString text = umsatz;
    return cent(text.replace(QLatin1Char(','), QLatin1Char('.')).toDouble());
}

QByteArray lesen(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TstImportExport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("TZ", "Europe/Berlin"); }
    void demoImportThenExtf_data();
    void demoImportThenExtf();
};

void TstImportExport::demoImportThenExtf_data()
{
    QTest::addColumn<int>("dialekt");
    QTest::newRow("sqlite") << int(Dialekt::SQLite);
    QTest::newRow("mariadb") << int(Dialekt::MariaDB);
}

void TstImportExport::demoImportThenExtf()
{
    QFETCH(int, dialekt);
    if (Dialekt(dialekt) == Dialekt::MariaDB && !testsupport::TestMariaDb::available())
        QSKIP("no MariaDB test server");
    Welt welt{Dialekt(dialekt)};
    QVERIFY2(welt.bereit(), qPrintable(welt.fehler()));
    QSqlDatabase db = welt.wawi();
    QString fehler;
    QVERIFY2(WawiSchema::create(db, {}, &fehler) && DemoDaten::fill(db, {}, &fehler), qPrintable(fehler));

    const QDate heute = QDate::currentDate();
    importwelt::Recorder importFb;
    {
        using namespace fibuimport;
        ImportLauf lauf(welt.verbindung, welt.journal(), importwelt::demoKontext(ImportModus::Erloese),
                        ImportOptionen{}, PersonenkontoOptionen{});
        lauf.setZeitraum(heute.addDays(-30), heute);
        lauf.setOhnePosMod(false);
        QCOMPARE(int(lauf.ausfuehren(importFb)), int(ImportLauf::Ergebnis::Ausgefuehrt));
        QVERIFY2(!lauf.fehler(), qPrintable(importFb.lines.join(QLatin1Char('\n'))));
    }

    // What the journal holds, as the format shows it: amount, and the accounts swapped when
    // there is no debit account.
    qint64 summe = 0;
    QMultiHash<QString, qint64> erwartet;  // "Konto;Gegenkonto" -> cents
    QSet<qint64> personenkonten;
    QSqlQuery q(welt.journal());
    QVERIFY(q.exec(QStringLiteral("SELECT Soll, Haben, Brutto FROM Buchungen")));
    while (q.next()) {
        const qint64 soll = q.value(0).toLongLong();
        const qint64 haben = q.value(1).toLongLong();
        const qint64 betrag = std::abs(cent(q.value(2).toDouble()));
        summe += betrag;
        erwartet.insert(soll < 1 ? QStringLiteral("%1;%2").arg(haben).arg(soll) : QStringLiteral("%1;%2").arg(soll).arg(haben),
                        betrag);
        for (const qint64 konto : {soll, haben})
            if (konto > 9999)
                personenkonten.insert(konto);
    }
    QVERIFY2(erwartet.size() > 5, "the import booked hardly anything");
    QVERIFY(!personenkonten.isEmpty());

    QTemporaryDir ziel;
    ExportOptionen o;
    o.von = heute.addYears(-1);
    o.bis = heute.addYears(1);
    o.verzeichnis = ziel.path();
    o.mitKonten = true;
    o.aktivMandant = 1;
    o.unbeaufsichtigt = true;
    importwelt::Recorder exportFb;
    WaWiNachschlag wawi(welt.verbindung);
    ExtfExport run(welt.journal(), wawi, o, exportFb);
    QVERIFY(run.DateV_EXTF_Export());
    QCOMPARE(exportFb.messages, QStringList());

    const QStringList lines = extfreader::lines(lesen(ziel.filePath(kDateiBuchungen)));
    QCOMPARE(lines.size(), 2 + erwartet.size());
    QCOMPARE(lines.at(1), extfreader::kSpaltenBuchungsstapel);
    qint64 gelesen = 0;
    QMultiHash<QString, qint64> gefunden;
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList f = extfreader::fields(lines.at(i));
        QCOMPARE(f.size(), 116);
        for (const QString& raw : f)
            QVERIFY2(extfreader::balanced(raw), qPrintable(raw));
        gelesen += cent(f.at(0));
        gefunden.insert(f.at(6) + QLatin1Char(';') + f.at(7), cent(f.at(0)));
    }
    QCOMPARE(gelesen, summe);
    QCOMPARE(gefunden, erwartet);
    QVERIFY(q.exec(QStringLiteral("SELECT COUNT(*) FROM Buchungen WHERE Export=1")) && q.next());
    QCOMPARE(q.value(0).toInt(), erwartet.size());

    // The label file: personal accounts of the journal only, each once.
    const QStringList konten = extfreader::lines(lesen(ziel.filePath(kDateiKonten)));
    QCOMPARE(konten.value(1), extfreader::kSpaltenKonten);
    QSet<qint64> gelistet;
    for (int i = 2; i < konten.size(); ++i) {
        const qint64 konto = extfreader::fields(konten.at(i)).value(0).toLongLong();
        QVERIFY2(personenkonten.contains(konto), qPrintable(konten.at(i)));
        QVERIFY2(!gelistet.contains(konto), qPrintable(konten.at(i)));
        gelistet.insert(konto);
    }
    QVERIFY(!gelistet.isEmpty());
}

QTEST_GUILESS_MAIN(TstImportExport)
#include "tst_importexport.moc"
