#include "../grid/journalfixture.h"
#include "scriptedfeedback.h"

#include "shell/officedocxwriter.h"
#include "shell/officeexport.h"
#include "shell/officetable.h"
#include "shell/officexlsxwriter.h"
#include "shell/officezipwriter.h"
#include "shell/tfm_buchung.h"

#include <QBuffer>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <QXmlStreamReader>

namespace {

class SmallTable : public OfficeTable {
public:
    int columnCount() const override { return 3; }
    QString header(int c) const override { return QStringList{"Buchungsnummer", "Buchungstext", "Brutto"}.at(c); }
    int rowCount() const override { return 2; }
    QString cell(int r, int c) const override
    {
        static const QList<QStringList> cells{{"100", "Rechnung Müller & Söhne <GmbH>", "1.234,50"},
                                              {"101", "Gutschrift", "-12,50"}};
        return cells[r][c];
    }
};

// One part of a ZIP file, read by the independent unzip program.
QByteArray unzipPart(const QByteArray& zip, const QString& part)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("x.zip")));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(zip);
    file.close();
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file.fileName(), part});
    unzip.waitForFinished();
    return unzip.exitCode() == 0 ? unzip.readAllStandardOutput() : QByteArray();
}

QByteArray unzipTest(const QByteArray& zip)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("x.zip")));
    file.open(QIODevice::WriteOnly);
    file.write(zip);
    file.close();
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-t"), file.fileName()});
    unzip.waitForFinished();
    return unzip.exitCode() == 0 ? QByteArray("ok") : unzip.readAllStandardOutput();
}

// The cells of the first worksheet by reference ("A1" -> text), read with an XML parser from
// the parts unzip gives: shared strings resolved, inline strings and plain values taken as
// they stand.
QMap<QString, QString> sheetCells(const QByteArray& zip)
{
    QStringList shared;
    QXmlStreamReader strings(unzipPart(zip, QStringLiteral("xl/sharedStrings.xml")));
    QString item;
    while (!strings.atEnd()) {
        strings.readNext();
        if (strings.isStartElement() && strings.name() == QLatin1String("si"))
            item.clear();
        else if (strings.isStartElement() && strings.name() == QLatin1String("t"))
            item += strings.readElementText();
        else if (strings.isEndElement() && strings.name() == QLatin1String("si"))
            shared.append(item);
    }
    QMap<QString, QString> cells;
    QXmlStreamReader sheet(unzipPart(zip, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref;
    QString type;
    while (!sheet.atEnd()) {
        sheet.readNext();
        if (!sheet.isStartElement())
            continue;
        if (sheet.name() == QLatin1String("c")) {
            ref = sheet.attributes().value(QLatin1String("r")).toString();
            type = sheet.attributes().value(QLatin1String("t")).toString();
        } else if (sheet.name() == QLatin1String("v")) {
            const QString v = sheet.readElementText();
            cells[ref] = type == QLatin1String("s") ? shared.value(v.toInt()) : v;
        } else if (sheet.name() == QLatin1String("t") && type == QLatin1String("inlineStr")) {
            cells[ref] += sheet.readElementText();
        }
    }
    return sheet.hasError() ? QMap<QString, QString>{{QStringLiteral("error"), sheet.errorString()}} : cells;
}

// Names of the workbook's sheets, in order.
QStringList sheetNames(const QByteArray& zip)
{
    QStringList names;
    QXmlStreamReader workbook(unzipPart(zip, QStringLiteral("xl/workbook.xml")));
    while (!workbook.atEnd()) {
        workbook.readNext();
        if (workbook.isStartElement() && workbook.name() == QLatin1String("sheet"))
            names.append(workbook.attributes().value(QLatin1String("name")).toString());
    }
    return names;
}

}  // namespace

class TstOfficeExport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void crc32_data();
    void crc32();
    void docxPackage();
    void xlsxWorkbook();
    void journalToWorkbook();
    void exportMessages_data();
    void exportMessages();
    void journalCellsAsShown();
};

void TstOfficeExport::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        QFAIL("unzip is needed to read the packages back (scripts/install-deps.sh)");
}

void TstOfficeExport::crc32_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<quint32>("crc");
    QTest::newRow("empty") << QByteArray() << quint32(0);
    QTest::newRow("check-value") << QByteArray("123456789") << quint32(0xCBF43926);
    QTest::newRow("fox") << QByteArray("The quick brown fox jumps over the lazy dog") << quint32(0x414FA339);
}

void TstOfficeExport::crc32()
{
    QFETCH(QByteArray, data);
    QFETCH(quint32, crc);
    QCOMPARE(OfficeZipWriter::crc32(data), crc);
    // Piecewise as the writer streams.
    QCOMPARE(OfficeZipWriter::crc32(data.mid(4), OfficeZipWriter::crc32(data.left(4))), crc);
}

void TstOfficeExport::docxPackage()
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QString error;
    QVERIFY2(OfficeDocxWriter::write(SmallTable(), buffer, &error), qPrintable(error));
    const QByteArray zip = buffer.data();
    QCOMPARE(unzipTest(zip), QByteArray("ok"));
    // unzip reads "[...]" as a pattern: the brackets are escaped.
    QVERIFY(unzipPart(zip, QStringLiteral("\\[Content_Types\\].xml")).contains("wordprocessingml.document.main+xml"));
    QVERIFY(unzipPart(zip, QStringLiteral("_rels/.rels")).contains("Target=\"word/document.xml\""));
    const QString document = QString::fromUtf8(unzipPart(zip, QStringLiteral("word/document.xml")));
    QCOMPARE(document.count(QStringLiteral("</w:tr>")), 3);
    QCOMPARE(document.count(QStringLiteral("<w:tc>")), 9);
    const int header = document.indexOf(QStringLiteral(">Buchungsnummer<"));
    const int text = document.indexOf(QStringLiteral(">Rechnung Müller &amp; Söhne &lt;GmbH&gt;<"));
    const int last = document.indexOf(QStringLiteral(">-12,50<"));
    QVERIFY(header > 0 && text > header && last > text);
}

void TstOfficeExport::xlsxWorkbook()
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QString error;
    QVERIFY2(OfficeXlsxWriter::write(SmallTable(), QStringLiteral("Primanota"), buffer, &error), qPrintable(error));
    const QByteArray zip = buffer.data();
    QCOMPARE(unzipTest(zip), QByteArray("ok"));
    QCOMPARE(sheetNames(zip), QStringList{QStringLiteral("Primanota")});
    const QMap<QString, QString> expected{
        {"A1", "Buchungsnummer"}, {"B1", "Buchungstext"}, {"C1", "Brutto"},
        {"A2", "100"}, {"B2", "Rechnung Müller & Söhne <GmbH>"}, {"C2", "1.234,50"},
        {"A3", "101"}, {"B3", "Gutschrift"}, {"C3", "-12,50"}};
    QCOMPARE(sheetCells(zip), expected);
}

// The journal as the user exports it: the file the opener receives, read back.
void TstOfficeExport::journalToWorkbook()
{
    JournalFixture journal;
    journal.add({100, QStringLiteral("Rechnung \"Müller\" 100"), 1234.5});
    journal.add({101, QStringLiteral("Gutschrift"), -12.5, 1200, 8400, true});
    TFM_Buchung view(journal.db());
    QVERIFY(view.Action_Open());
    QTemporaryDir dir;
    ScriptedFeedback feedback;
    OfficeExport office(feedback);
    office.setDirectory(dir.path());
    QString opened;
    office.setOpener([&](const QString& path) {
        opened = path;
        return true;
    });
    QVERIFY(office.GridNachExcel(*view.officeTable(), QStringLiteral("Primanota")));
    QFile file(opened);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray zip = file.readAll();
    QCOMPARE(sheetNames(zip), QStringList{QStringLiteral("Primanota")});
    const QMap<QString, QString> cells = sheetCells(zip);
    const QStringList header{"Buchungsnummer", "Datum", "Soll", "Haben", "Buchungstext", "Brutto", "Netto",
                             "USTSollKonto", "USTHabenKonto", "USTBetrag", "MWSTPro"};
    for (int c = 0; c < header.size(); ++c)
        QCOMPARE(cells.value(QString(QChar('A' + c)) + QStringLiteral("1")), header[c]);
    QCOMPARE(cells.value("A2"), QStringLiteral("100"));
    QCOMPARE(cells.value("B2"), QStringLiteral("15.03.2024"));
    QCOMPARE(cells.value("E2"), QStringLiteral("Rechnung \"Müller\" 100"));
    QCOMPARE(cells.value("F2"), QStringLiteral("1.234,50"));
    QCOMPARE(cells.value("F3"), QStringLiteral("-12,50"));
    QVERIFY(!cells.contains("A4"));
}

void TstOfficeExport::exportMessages_data()
{
    QTest::addColumn<bool>("excel");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<QString>("message");
    QTest::newRow("excel-ok") << true << true << true << OfficeExport::MeldungErfolg;
    QTest::newRow("word-ok") << false << true << true << OfficeExport::MeldungErfolg;
    QTest::newRow("excel-unwritable") << true << false << true << OfficeExport::FehlerExcel;
    QTest::newRow("word-unwritable") << false << false << true << OfficeExport::FehlerWord;
    QTest::newRow("word-no-application") << false << true << false << OfficeExport::FehlerWord;
}

void TstOfficeExport::exportMessages()
{
    QFETCH(bool, excel);
    QFETCH(bool, writable);
    QFETCH(bool, opens);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QString target = dir.path();
    if (!writable) {
        // A file where the directory should be.
        QFile blocker(dir.filePath(QStringLiteral("block")));
        blocker.open(QIODevice::WriteOnly);
        target = blocker.fileName() + QStringLiteral("/sub");
    }
    ScriptedFeedback feedback;
    OfficeExport office(feedback);
    office.setDirectory(target);
    QStringList opened;
    office.setOpener([&](const QString& path) {
        opened.append(path);
        return opens;
    });
    const bool ok = excel ? office.GridNachExcel(SmallTable(), QStringLiteral("Primanota"))
                          : office.GridNachWord(SmallTable());
    QCOMPARE(ok, writable && opens);
    QCOMPARE(feedback.messages.size(), 1);
    QVERIFY2(feedback.messages.first().startsWith(message), qPrintable(feedback.messages.first()));
    QCOMPARE(opened.size(), writable ? 1 : 0);
    if (writable) {
        QVERIFY(QFile::exists(opened.first()));
        QVERIFY(opened.first().endsWith(excel ? QStringLiteral(".xlsx") : QStringLiteral(".docx")));
    }
}

void TstOfficeExport::journalCellsAsShown()
{
    JournalFixture journal;
    journal.add({100, QStringLiteral("Rechnung 100"), 1234.5});
    journal.add({101, QStringLiteral("Gutschrift"), -12.5});
    TFM_Buchung view(journal.db());
    QVERIFY(view.Action_Open());
    auto table = view.officeTable();
    QCOMPARE(table->columnCount(), 11);
    QCOMPARE(table->header(0), QStringLiteral("Buchungsnummer"));
    QCOMPARE(table->header(10), QStringLiteral("MWSTPro"));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->cell(0, 1), QStringLiteral("15.03.2024"));
    QCOMPARE(table->cell(0, 5), QStringLiteral("1.234,50"));
    QCOMPARE(table->cell(1, 5), QStringLiteral("-12,50"));
    // The search result is what the export takes while it is shown.
    view.searchField()->setText(QStringLiteral("gutschrift"));
    view.SP_SucheClick();
    QCOMPARE(view.officeTable()->rowCount(), 1);
    QCOMPARE(view.officeTable()->cell(0, 0), QStringLiteral("101"));
}

QTEST_MAIN(TstOfficeExport)
#include "tst_officeexport.moc"
