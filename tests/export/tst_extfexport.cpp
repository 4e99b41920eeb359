// The EXTF run on a hand-built journal and merchandise-management database: both files read
// back with the independent reader, the export marks, the filter, the directory check and a
// disk that fills up half-way.

#include "export/ansitextwriter.h"
#include "export/exportlauf.h"
#include "export/extfexport.h"
#include "export/wawinachschlag.h"
#include "exportfixture.h"
#include "extfreader.h"
#include "store/einstellungen.h"
#include "store/zeichensatz.h"

#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace exportfixture;

namespace {

ExportOptionen optionen(const World& w)
{
    ExportOptionen o;
    o.von = QDate(2024, 1, 1);
    o.bis = QDate(2024, 12, 31);
    o.startMonat = 1;
    o.nurNeue = true;
    o.verzeichnis = w.out();
    o.beraterNr = QStringLiteral("1001");
    o.mandantNr = QStringLiteral("2");
    o.adresskontn = 5;
    o.aktivMandant = 1;
    o.erstellt = QDateTime(QDate(2024, 6, 1), QTime(12, 0, 0, 5));
    o.benutzer = QStringLiteral("tester");
    return o;
}

bool run(World& w, const ExportOptionen& o, Recorder& rec)
{
    WaWiNachschlag wawi(w.conn);
    ExtfExport e(w.journal(), wawi, o, rec);
    return e.DateV_EXTF_Export();
}

QStringList datei(const World& w, const QString& name)
{
    return extfreader::lines(lesen(w.out() + QLatin1Char('/') + name));
}

// A file on a disk that is full after a number of bytes.
class FullFile : public QFile {
public:
    FullFile(const QString& path, qint64 capacity) : QFile(path), capacity_(capacity) {}

protected:
    qint64 writeData(const char* data, qint64 len) override
    {
        const qint64 n = std::min(len, capacity_ - size());
        if (n <= 0) {
            setErrorString(QStringLiteral("Auf dem Gerät ist kein Speicherplatz mehr verfügbar"));
            return -1;
        }
        return QFile::writeData(data, n);
    }

private:
    qint64 capacity_;
};

}  // namespace

class TstExtfExport : public QObject {
    Q_OBJECT

private slots:
    void bookingFileFieldByField();
    void labelFile_data();
    void labelFile();
    void keineKontenLeavesOldLabelFile();
    void labelFileWithoutAddressTable_data();
    void labelFileWithoutAddressTable();
    void onlyNewBookingsTwice();
    void filter_data();
    void filter();
    void directoryCheck_data();
    void directoryCheck();
    void diskFullHalfWay_data();
    void diskFullHalfWay();
    void fileSizeLimitOnRealFiles();
};

void TstExtfExport::bookingFileFieldByField()
{
    World w;
    w.adresse(7, 1, 10001, QStringLiteral("EU Kunde"), QStringLiteral(" ATU123 "));
    w.auftrag(11, 0.0005);
    w.auftrag(12, 1.1);
    w.auftrag(13, 1, 3, 7, false, 10, 14, QDate(2024, 3, 1));
    Buchung b;
    b.soll = 0; b.haben = 8400; b.brutto = 119; b.datum = QDate(2024, 1, 2);
    w.buchen(b);                                              // line 1
    b = {}; b.soll = 10001; b.brutto = -50; b.auftrag = 11; b.datum = QDate(2024, 1, 3);
    w.buchen(b);                                              // line 2
    b = {}; b.brutto = 0; b.ust = 0; b.auftrag = 12; b.datum = QDate(2024, 1, 4);
    w.buchen(b);                                              // line 3: no lookup
    b = {}; b.buchungsnummer = 4711; b.auftrag = 12; b.datum = QDate(2024, 1, 5);
    b.text = QStringLiteral("Zahlung \"Meier\" ") + QString(50, QLatin1Char('x'));
    w.buchen(b);                                              // line 4
    b = {}; b.auftrag = 13; b.datum = QDate(2024, 1, 6); b.kost1 = 42;
    w.buchen(b);                                              // line 5
    b = {}; b.auftrag = 99; b.datum = QDate(2024, 1, 7); b.valuta = QDate(2024, 2, 9);
    w.buchen(b);                                              // line 6
    b = {}; b.datum = QDate(2025, 1, 1);
    w.buchen(b);                                              // outside the range

    ExportOptionen o = optionen(w);
    o.kostenstelle2 = QStringLiteral("77");
    Recorder rec;
    QVERIFY(run(w, o, rec));
    QCOMPARE(rec.messages, QStringList{QStringLiteral("Der DateV-Export war erfolgreich!")});
    QVERIFY(!QFile::exists(w.out() + QStringLiteral("/EXTF_Sachkontobeschriftungen.csv")));

    const QByteArray bytes = lesen(w.out() + QStringLiteral("/EXTF_Buchungsstapel.csv"));
    QVERIFY(bytes.endsWith("1;;\r\n"));
    QVERIFY(!bytes.contains("\n\n") && bytes.count('\n') == bytes.count("\r\n"));
    const QStringList lines = extfreader::lines(bytes);
    QCOMPARE(lines.size(), 2 + 6);
    QCOMPARE(lines.at(0), QStringLiteral("\"EXTF\";510;21;\"Buchungsstapel\";7;20240601120000005;;;tester;;1001;2;"
                                         "20240101;4;20240101;20241231;\"Qem-DateV Schnittstelle\";\"\";\"1\";\"\";1;"
                                         "\"EUR\";;;;;;;;;"));
    QCOMPARE(lines.at(1), extfreader::kSpaltenBuchungsstapel);

    QList<QStringList> f;
    for (int i = 2; i < lines.size(); ++i) {
        f << extfreader::fields(lines.at(i));
        QCOMPARE(f.last().size(), 116);
        for (const QString& raw : f.last())
            QVERIFY2(extfreader::balanced(raw), qPrintable(raw));
    }
    // Soll 0 / Haben 8400: swapped, "H".
    QCOMPARE(f[0].mid(0, 8), (QStringList{"119,00", "\"H\"", "\"EUR\"", "1,0000", "", "\"\"", "8400", "0"}));
    QCOMPARE(f[0].at(9), QStringLiteral("0201"));
    // Brutto -50, Faktor 0.0005.
    QCOMPARE(f[1].mid(0, 8), (QStringList{"50,00", "\"H\"", "\"EUR\"", "1,0000", "", "\"\"", "10001", "8400"}));
    QCOMPARE(f[1].at(48), QStringLiteral("\"SHOP-11\""));
    // Zero amounts: no lookup, order 12 is not where the table stands.
    QCOMPARE(f[2].at(0), QStringLiteral("0,00"));
    QCOMPARE(f[2].at(3), QStringLiteral("1,0000"));
    QCOMPARE(f[2].at(48), QStringLiteral("\"\""));
    // Voucher 4711, Faktor 1.1, quoted text cut to 60.
    QCOMPARE(f[3].at(3), QStringLiteral("1,1000"));
    QCOMPARE(f[3].at(10), QStringLiteral("\"4711\""));
    QCOMPARE(extfreader::text(f[3].at(13)).size(), 58);
    QVERIFY(f[3].at(13).startsWith(QStringLiteral("\"Zahlung \"\"Meier\"\" xxx")));
    QCOMPARE(f[3].at(50), QStringLiteral("\"AN-12\""));
    // EU order, open with payment days: due date 01.03. + 14, EGID trimmed, cost centres.
    QCOMPARE(f[4].at(11), QStringLiteral("\"150324\""));
    QCOMPARE(f[4].at(36), QStringLiteral("\"42\""));
    QCOMPARE(f[4].at(37), QStringLiteral("\"77\""));
    QCOMPARE(f[4].at(39), QStringLiteral("\"ATU123\""));
    // Unknown order: factor 1, value date of the journal.
    QCOMPARE(f[5].at(3), QStringLiteral("1,0000"));
    QCOMPARE(f[5].at(11), QStringLiteral("\"090224\""));
    QCOMPARE(f[5].at(113), QStringLiteral("1"));

    QCOMPARE(w.exportiert(), (QList<qint64>{1, 2, 3, 4, 5, 6}));
}

void TstExtfExport::labelFile_data()
{
    QTest::addColumn<bool>("eigene");
    QTest::addColumn<QString>("vorlage");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("automatic") << false << QString()
        << QStringList{"10001;\"Meier KNr:K1\";\"de-DE\"", "10002;\"Müller \"\"Bau\"\" KNr:K2\";\"de-DE\"",
                       "10003;\"Schulz KNr:K4\";\"de-DE\""};
    QTest::newRow("template") << true << QStringLiteral("KUNR {NUMMER} von {SUCHBEGRIFF} {Fax}")
        << QStringList{"10001;\"KUNR K1 von Meier Fax\";\"de-DE\"",
                       "10002;\"KUNR K2 von Müller \"\"Bau\"\" Fax\";\"de-DE\"",
                       "10003;\"KUNR K4 von Schulz Fax\";\"de-DE\""};
}

void TstExtfExport::labelFile()
{
    QFETCH(bool, eigene);
    QFETCH(QString, vorlage);
    QFETCH(QStringList, expected);
    World w;
    w.adresse(1, 1, 10001, QStringLiteral("Meier"));
    w.adresse(2, 1, 10002, QStringLiteral("Müller \"Bau\""));
    w.adresse(3, 2, 10003, QStringLiteral("Anderer Mandant"));
    w.adresse(4, 1, 10003, QStringLiteral("Schulz"));
    w.adresse(5, 1, 10003, QStringLiteral("Zweite Adresse"));
    Buchung b;
    b.soll = 10001; b.haben = 8400; w.buchen(b);
    b.soll = 1200; b.haben = 10001; w.buchen(b);   // debit and credit: listed once
    b.soll = 10002; b.haben = 10003; w.buchen(b);
    b.soll = 10004; b.haben = 9999; w.buchen(b);   // no address; 9999 is no personal account
    b.soll = 10002; b.haben = 1000; b.exportiert = true; b.datum = QDate(2019, 1, 1); w.buchen(b);

    ExportOptionen o = optionen(w);
    o.mitKonten = true;
    o.eigeneBeschriftung = eigene;
    o.vorlage = vorlage;
    Recorder rec;
    QVERIFY(run(w, o, rec));

    const QStringList lines = datei(w, QStringLiteral("EXTF_Sachkontobeschriftungen.csv"));
    QCOMPARE(lines.value(0), QStringLiteral("\"EXTF\";510;20;\"Kontenbeschriftungen\";2;20240601120000005;;;tester;;"
                                            "1001;2;20240101;4;;;\"\";\"\";;\"\";;;;;;;;;;;"));
    QCOMPARE(extfreader::fields(lines.value(0)).size(), 31);
    QCOMPARE(lines.value(1), extfreader::kSpaltenKonten);
    QCOMPARE(lines.mid(2), expected);

    // The index Fibu was added to the address table.
    QSqlQuery q(w.wawi());
    QVERIFY(q.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type='index' AND tbl_name='Adressen'")));
    QStringList indexe;
    while (q.next())
        indexe << q.value(0).toString();
    QCOMPARE(indexe.filter(QStringLiteral("Fibu")).size(), 1);
    QVERIFY(indexe.filter(QStringLiteral("Fibu")).first().contains(QStringLiteral("Mandant")));
}

void TstExtfExport::keineKontenLeavesOldLabelFile()
{
    World w;
    w.buchen({});
    const QString alt = w.out() + QStringLiteral("/EXTF_Sachkontobeschriftungen.csv");
    {
        QFile f(alt);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("alt\r\n");
    }
    Recorder rec;
    QVERIFY(run(w, optionen(w), rec));
    QCOMPARE(lesen(alt), QByteArray("alt\r\n"));
}

void TstExtfExport::labelFileWithoutAddressTable_data()
{
    QTest::addColumn<bool>("unbeaufsichtigt");
    QTest::newRow("attended") << false;
    QTest::newRow("unattended") << true;
}

// No address table to put the index on: the access message (not in the unattended run), the
// "(Konten)" error (always), and the booking file is written all the same.
void TstExtfExport::labelFileWithoutAddressTable()
{
    QFETCH(bool, unbeaufsichtigt);
    World w;
    w.exec(QStringLiteral("DROP TABLE Adressen"), {});
    Buchung b;
    b.soll = 10001;
    w.buchen(b);
    ExportOptionen o = optionen(w);
    o.mitKonten = true;
    o.unbeaufsichtigt = unbeaufsichtigt;
    Recorder rec;
    QVERIFY(!run(w, o, rec));

    const QString konten = QStringLiteral("Während des Exports ist ein Fehler aufgetreten!\r(Konten)\r");
    const QString zugriff = QStringLiteral("Keinen Zugriff auf die Warenwirtschafsadressen!\r");
    const QStringList gezeigt = rec.messages;
    QCOMPARE(gezeigt.size(), unbeaufsichtigt ? 1 : 3);
    QVERIFY2(gezeigt.filter(konten).size() == 1, qPrintable(gezeigt.join(QLatin1Char('|'))));
    QCOMPARE(gezeigt.filter(zugriff).size(), unbeaufsichtigt ? 0 : 1);
    QCOMPARE(gezeigt.contains(QStringLiteral("Der DateV-Export war erfolgreich!")), !unbeaufsichtigt);
    if (unbeaufsichtigt)
        QCOMPARE(rec.lines.filter(zugriff).size(), 1);
    if (!unbeaufsichtigt)
        QVERIFY(gezeigt.first().startsWith(zugriff));
    QCOMPARE(datei(w, QStringLiteral("EXTF_Sachkontobeschriftungen.csv")).size(), 2);
    QCOMPARE(datei(w, QStringLiteral("EXTF_Buchungsstapel.csv")).size(), 3);
    QCOMPARE(w.exportiert(), QList<qint64>{1});
}

void TstExtfExport::onlyNewBookingsTwice()
{
    World w;
    for (int i = 0; i < 3; ++i)
        w.buchen({});
    Buchung alt;
    alt.exportiert = true;
    w.buchen(alt);
    Recorder rec;
    QVERIFY(run(w, optionen(w), rec));
    QCOMPARE(datei(w, QStringLiteral("EXTF_Buchungsstapel.csv")).size(), 2 + 3);
    QCOMPARE(w.exportiert(), (QList<qint64>{1, 2, 3, 4}));

    QVERIFY(run(w, optionen(w), rec));
    QCOMPARE(datei(w, QStringLiteral("EXTF_Buchungsstapel.csv")).size(), 2);

    ExportOptionen alle = optionen(w);
    alle.nurNeue = false;
    QVERIFY(run(w, alle, rec));
    QCOMPARE(datei(w, QStringLiteral("EXTF_Buchungsstapel.csv")).size(), 2 + 4);
}

void TstExtfExport::filter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("unbeaufsichtigt");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("meldung");
    QTest::newRow("unknown-field") << "Unbekannt=1" << false << 3 << true;
    QTest::newRow("unknown-field-unattended") << "Unbekannt=1" << true << 3 << false;
    QTest::newRow("syntax-error") << "Soll = = 3" << false << 3 << true;
    QTest::newRow("matching") << "Soll=10001" << false << 1 << false;
    QTest::newRow("blank") << "  " << false << 3 << false;
}

void TstExtfExport::filter()
{
    QFETCH(QString, filter);
    QFETCH(bool, unbeaufsichtigt);
    QFETCH(int, lines);
    QFETCH(bool, meldung);
    World w;
    Buchung b;
    w.buchen(b);
    b.soll = 10001;
    w.buchen(b);
    b.soll = 10002;
    w.buchen(b);
    ExportOptionen o = optionen(w);
    o.filter = filter;
    o.unbeaufsichtigt = unbeaufsichtigt;
    Recorder rec;
    QVERIFY(run(w, o, rec));
    QCOMPARE(rec.messages.contains(QStringLiteral("Filter ist nicht anwendbar!")), meldung);
    QCOMPARE(rec.messages.contains(QStringLiteral("Der DateV-Export war erfolgreich!")), !unbeaufsichtigt);
    QCOMPARE(datei(w, QStringLiteral("EXTF_Buchungsstapel.csv")).size(), 2 + lines);
    QCOMPARE(w.exportiert().size(), lines);
}

void TstExtfExport::directoryCheck_data()
{
    QTest::addColumn<QString>("verzeichnis");  // "<out>" stands for the test's target directory
    QTest::addColumn<bool>("unbeaufsichtigt");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("missing") << "<out>/fehlt" << false << "Das Verzeichnis existiert nicht! : <out>/fehlt";
    QTest::newRow("initial-caption") << "..." << false << "Das Verzeichnis existiert nicht! : ...";
    QTest::newRow("read-only") << "/proc" << false << "Das Verzeichnis existiert nicht! : /proc";
    QTest::newRow("empty") << "" << false << "Kein Verzeichnis angegeben!";
    QTest::newRow("missing-unattended") << "<out>/fehlt" << true << QString();
}

void TstExtfExport::directoryCheck()
{
    QFETCH(QString, verzeichnis);
    QFETCH(bool, unbeaufsichtigt);
    QFETCH(QString, meldung);
    World w;
    w.buchen({});
    verzeichnis.replace(QStringLiteral("<out>"), w.out());
    meldung.replace(QStringLiteral("<out>"), w.out());

    ExportEinstellungen werte;
    werte.verzeichnis = verzeichnis;
    werte.abrechNr = QStringLiteral("7");
    werte.mitKonten = true;
    ExportOptionen o = optionen(w);
    o.verzeichnis = verzeichnis;
    o.mitKonten = true;
    o.unbeaufsichtigt = unbeaufsichtigt;
    einstellungen().DateV_Abrechnr.clear();
    Recorder rec;
    ExportLauf lauf(w.conn, w.journal(), rec);
    QVERIFY(!lauf.datev(werte, o));

    QCOMPARE(rec.messages, meldung.isEmpty() ? QStringList() : QStringList{meldung});
    QCOMPARE(einstellungen().DateV_Abrechnr, QStringLiteral("8"));
    QCOMPARE(einstellungen().DateV_Path, verzeichnis);
    QVERIFY(QDir(w.out()).entryList(QDir::Files).isEmpty());
    QVERIFY(w.exportiert().isEmpty());
}

void TstExtfExport::diskFullHalfWay_data()
{
    QTest::addColumn<qint64>("capacity");
    QTest::addColumn<bool>("complete");
    QTest::newRow("nothing-fits") << qint64(0) << false;
    QTest::newRow("header-cut") << qint64(300) << false;
    QTest::newRow("after-11-lines") << qint64(-11) << false;  // negative: header + n lines + half a line
    QTest::newRow("room-enough") << qint64(10'000'000) << true;
}

void TstExtfExport::diskFullHalfWay()
{
    QFETCH(qint64, capacity);
    QFETCH(bool, complete);
    World w;
    for (int i = 0; i < 40; ++i) {
        Buchung b;
        b.buchungsnummer = 100 + i;
        w.buchen(b);
    }
    ExportOptionen o = optionen(w);
    const QString kopf = ExtfFormat::kopfzeileBuchungsstapel(ExtfKopf{o.erstellt, o.benutzer, o.beraterNr,
                                                                      o.mandantNr, o.von, o.bis, 1, 5})
                         + QStringLiteral("\r\n") + ExtfFormat::spaltenBuchungsstapel() + QStringLiteral("\r\n");
    if (capacity < 0) {
        const Buchung b;
        ExtfBuchung muster;
        muster.brutto = b.brutto;
        muster.soll = b.soll;
        muster.haben = b.haben;
        muster.datum = b.datum;
        muster.buchungsnummer = QStringLiteral("100");
        muster.buchungstext = b.text;
        const qint64 zeile = ExtfFormat::buchungszeile(muster, nullptr, 1, {}).size() + 2;
        capacity = ZuAnsi(kopf).size() - capacity * zeile + zeile / 2;
    }

    const QString path = w.out() + QStringLiteral("/EXTF_Buchungsstapel.csv");
    FullFile file(path, capacity);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    Recorder rec;
    WaWiNachschlag wawi(w.conn);
    ExtfExport e(w.journal(), wawi, o, rec);
    AnsiTextWriter out(file);
    out.writeLine(ExtfFormat::kopfzeileBuchungsstapel(e.kopf()));
    QCOMPARE(e.DateV_EXTF_Buchungen(file, out), complete);
    file.close();

    const QByteArray bytes = lesen(path);
    QVERIFY(bytes.size() <= capacity);
    const QStringList lines = extfreader::lines(bytes);
    const int buchungen = std::max<int>(0, static_cast<int>(lines.size()) - 2);
    if (buchungen > 0)
        QVERIFY2(bytes.endsWith("\r\n"), "a half-written line stays in the file");
    for (int i = 2; i < lines.size(); ++i)
        QCOMPARE(extfreader::fields(lines.at(i)).size(), 116);
    QList<qint64> expected;
    for (int i = 1; i <= buchungen; ++i)
        expected << i;
    QCOMPARE(w.exportiert(), expected);
    if (complete)
        QCOMPARE(buchungen, 40);
    if (!complete) {
        QCOMPARE(rec.messages.size(), 1);
        QVERIFY(rec.messages.first().startsWith(QStringLiteral("Während des Exports ist ein Fehler aufgetreten!\r(Buchungen)\r")));
    }
    if (QTest::currentDataTag() == QByteArray("after-11-lines"))
        QCOMPARE(buchungen, 11);
}

namespace {

constexpr rlim_t kDateiGrenze = 400 * 1024;
constexpr int kGrenzBuchungen = 3000;

// The child process of fileSizeLimitOnRealFiles: the whole run on the files of the world in
// dir, under the file size limit the parent set; prints the run's messages.
int grenzLauf(const QString& dir)
{
    int rc = 1;
    {
        QSqlDatabase j = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("j"));
        j.setDatabaseName(dir + QStringLiteral("/DateV.sqlite"));
        QSqlDatabase w = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("w"));
        w.setDatabaseName(dir + QStringLiteral("/wawi.sqlite"));
        if (!j.open() || !w.open())
            return 2;
        TQemConnection conn;
        conn.AttachDatabase(QStringLiteral("w"));
        ExportOptionen o;
        o.von = QDate(2024, 1, 1);
        o.bis = QDate(2024, 12, 31);
        o.verzeichnis = dir + QStringLiteral("/out");
        o.mitKonten = true;
        o.aktivMandant = 1;
        Recorder rec;
        WaWiNachschlag wawi(conn);
        ExtfExport e(j, wawi, o, rec);
        rc = e.DateV_EXTF_Export() ? 0 : 3;
        std::fputs(qPrintable(rec.messages.join(QLatin1Char('\n'))), stdout);
        conn.Close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("j"));
    QSqlDatabase::removeDatabase(QStringLiteral("w"));
    return rc;
}

}  // namespace

// The disk fills up under the real run: the label file fits, the booking file stops half-way
// in a line. The file keeps whole lines only, and exactly their bookings are marked.
void TstExtfExport::fileSizeLimitOnRealFiles()
{
    World w;
    w.adresse(1, 1, 10001, QStringLiteral("Meier"));
    w.journal().transaction();
    for (int i = 0; i < kGrenzBuchungen; ++i) {
        Buchung b;
        b.buchungsnummer = 1000 + i;
        b.soll = i % 2 ? 10001 : 1200;
        w.buchen(b);
    }
    QVERIFY(w.journal().commit());

    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--grenzlauf"), w.dir.path()});
    child.setChildProcessModifier([] {
        // Beyond the limit write() fails with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit grenze{kDateiGrenze, kDateiGrenze};
        setrlimit(RLIMIT_FSIZE, &grenze);
    });
    child.start();
    QVERIFY(child.waitForFinished(60000));
    const QString ausgabe = QString::fromUtf8(child.readAllStandardOutput());
    QCOMPARE(child.exitCode(), 3);
    QVERIFY2(ausgabe.startsWith(QStringLiteral("Während des Exports ist ein Fehler aufgetreten!\r(Buchungen)\r")),
             qPrintable(ausgabe + QString::fromUtf8(child.readAllStandardError())));

    const QStringList konten = datei(w, QStringLiteral("EXTF_Sachkontobeschriftungen.csv"));
    QCOMPARE(konten.mid(1), (QStringList{extfreader::kSpaltenKonten, "10001;\"Meier KNr:K1\";\"de-DE\""}));
    const QByteArray bytes = lesen(w.out() + QStringLiteral("/EXTF_Buchungsstapel.csv"));
    QVERIFY(bytes.size() <= static_cast<qsizetype>(kDateiGrenze));
    QVERIFY2(bytes.endsWith("1;;\r\n"), "a half-written line stays in the file");
    const QStringList lines = extfreader::lines(bytes);
    const int buchungen = static_cast<int>(lines.size()) - 2;
    QVERIFY(buchungen > 100 && buchungen < kGrenzBuchungen);
    QList<qint64> expected;
    for (int i = 0; i < buchungen; ++i) {
        const QStringList f = extfreader::fields(lines.at(i + 2));
        QCOMPARE(f.size(), 116);
        QCOMPARE(f.at(10), QStringLiteral("\"%1\"").arg(1000 + i));
        expected << i + 1;
    }
    QCOMPARE(w.exportiert(), expected);
}

int main(int argc, char** argv)
{
    if (argc == 3 && qstrcmp(argv[1], "--grenzlauf") == 0) {
        QCoreApplication app(argc, argv);
        return grenzLauf(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TstExtfExport test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_extfexport.moc"
