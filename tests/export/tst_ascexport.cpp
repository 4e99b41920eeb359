// The plain text export of the journal: header line, rows in key order as display texts, the
// separator after every field, filter and abort.

#include "export/ascexport.h"
#include "exportfixture.h"

#include <QBuffer>
#include <QtTest>

using namespace exportfixture;

namespace {

QByteArray exportieren(World& w, const QString& sep, Recorder& rec, const QString& filter = {},
                       qint64* rows = nullptr)
{
    ExportOptionen o;
    o.filter = filter;
    AscExport run(w.journal(), o, rec);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const qint64 n = run.schreiben(buffer, sep);
    if (rows)
        *rows = n;
    return buffer.data();
}

const QByteArray kKopf =
    "BuchNr;Buchungsnummer;Datum;Soll;Haben;Buchungstext;Brutto;Netto;USTBetrag;USTSollKonto;"
    "USTHabenKonto;MwSt;MwStPro;Export;PrgNr;Mandant;Auftrag;Adresse;Kostenstelle1;Kostenstelle2;"
    "Splittnummer;ValutaDatum;\r\n";

}  // namespace

class TstAscExport : public QObject {
    Q_OBJECT

private slots:
    void headerAndRowsInKeyOrder();
    void separator_data();
    void separator();
    void filter_data();
    void filter();
    void abortKeepsLinesWritten();
};

void TstAscExport::headerAndRowsInKeyOrder()
{
    World w;
    Buchung b;
    b.datum = QDate(2024, 12, 24);
    b.text = QStringLiteral("Erlös Müller");
    b.brutto = 1234.5;
    b.ust = 197.1;
    b.valuta = QDate(2025, 1, 7);
    b.kost1 = 4;
    w.buchen(b);
    b = {};
    b.datum = QDate(2024, 1, 2);
    b.exportiert = true;
    w.buchen(b);
    Recorder rec;
    const QByteArray out = exportieren(w, QStringLiteral(";"), rec);
    QCOMPARE(out, kKopf
                      + QByteArray("1;1;24.12.2024;1200;8400;Erl\xF6s M\xFCller;1234,5;1037,4;197,1;;;;;False;3;1;0;;4;;;07.01.2025;\r\n"
                                   "2;1;02.01.2024;1200;8400;RE 1;119;100;19;;;;;True;3;1;0;;;;;;\r\n"));
    QCOMPARE(rec.progress, 100);
    QVERIFY(rec.messages.isEmpty());
}

void TstAscExport::separator_data()
{
    QTest::addColumn<QString>("sep");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("extra");  // fields more than the header when split naively
    QTest::newRow("semicolon") << ";" << "Miete" << 0;
    QTest::newRow("several-characters") << "||" << "Miete" << 0;
    QTest::newRow("text-holds-separator") << ";" << "Miete; März" << 1;
}

void TstAscExport::separator()
{
    QFETCH(QString, sep);
    QFETCH(QString, text);
    QFETCH(int, extra);
    World w;
    Buchung b;
    b.text = text;
    w.buchen(b);
    Recorder rec;
    const QStringList lines = QString::fromLatin1(exportieren(w, sep, rec)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).endsWith(sep) && lines.at(1).endsWith(sep));
    QCOMPARE(lines.at(0).count(sep), 22);
    QCOMPARE(lines.at(1).split(sep).size(), lines.at(0).split(sep).size() + extra);
}

void TstAscExport::filter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<bool>("meldung");
    QTest::newRow("matching") << "Soll=10001" << qint64(1) << false;
    QTest::newRow("unknown-field") << "Gibtsnicht=1" << qint64(3) << true;
    QTest::newRow("none") << "" << qint64(3) << false;
}

void TstAscExport::filter()
{
    QFETCH(QString, filter);
    QFETCH(qint64, rows);
    QFETCH(bool, meldung);
    World w;
    Buchung b;
    w.buchen(b);
    b.soll = 10001;
    w.buchen(b);
    b.soll = 10002;
    w.buchen(b);
    Recorder rec;
    qint64 n = 0;
    const QByteArray out = exportieren(w, QStringLiteral(";"), rec, filter, &n);
    QCOMPARE(n, rows);
    QCOMPARE(out.count("\r\n"), rows + 1);
    QCOMPARE(rec.messages.contains(QStringLiteral("Filter ist nicht anwendbar!")), meldung);
}

void TstAscExport::abortKeepsLinesWritten()
{
    World w;
    for (int i = 0; i < 5; ++i)
        w.buchen({});
    Recorder rec;
    rec.cancelAfter = 2;
    ExportOptionen o;
    AscExport run(w.journal(), o, rec);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QCOMPARE(run.schreiben(buffer, QStringLiteral(";")), 2);
    QVERIFY(run.abgebrochen());
    QCOMPARE(buffer.data().count("\r\n"), 3);
}

QTEST_GUILESS_MAIN(TstAscExport)
#include "tst_ascexport.moc"
