#include "recordingfeedback.h"
#include "store/strukturcheck.h"
#include "store/tabellendefinition.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const QString KonvertText = QStringLiteral(
    "WICHTIG: Die Datenbanken müssen konvertiert werden!\rBitte veranlassen Sie alle Netzwerkteilnehmer das Programm zu\r"
    "verlassen bzw. nicht zu Starten bis die Konvertierung beendet ist!");

void schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QDir().mkpath(QFileInfo(pfad).path());
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

QByteArray lesen(const QString& pfad)
{
    QFile f(pfad);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A connection of the test's own to a database file, removed with the object.
class Db {
public:
    explicit Db(const QString& datei) : name_(QStringLiteral("tst_%1").arg(++zaehler()))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(datei);
        db.open();
    }
    ~Db()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    void exec(const QString& sql) const
    {
        QSqlQuery q(db());
        if (!q.exec(sql))
            QFAIL(qPrintable(q.lastError().text() + QStringLiteral(": ") + sql));
    }
    QVariant wert(const QString& sql) const
    {
        QSqlQuery q(db());
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    // All rows as text, one line per row, in key order.
    QStringList zeilen(const QString& tabelle, const QStringList& felder) const
    {
        QStringList ergebnis;
        QSqlQuery q(db());
        q.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(felder.join(QLatin1Char(',')), tabelle));
        while (q.next()) {
            QStringList werte;
            for (int i = 0; i < felder.size(); ++i)
                werte.append(q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
            ergebnis.append(werte.join(QLatin1Char('|')));
        }
        return ergebnis;
    }

private:
    static int& zaehler()
    {
        static int n = 0;
        return n;
    }
    QString name_;
};

const QStringList JournalFelder{QStringLiteral("BuchNr"),       QStringLiteral("Buchungsnummer"), QStringLiteral("Datum"),
                                QStringLiteral("Soll"),         QStringLiteral("Haben"),          QStringLiteral("Buchungstext"),
                                QStringLiteral("Brutto"),       QStringLiteral("Netto"),          QStringLiteral("USTBetrag"),
                                QStringLiteral("Export"),       QStringLiteral("Auftrag"),        QStringLiteral("ValutaDatum")};

}  // namespace

class TstStrukturCheck : public QObject {
    Q_OBJECT

    QString datenbank(const testsupport::TempProgramDir& dir) const
    {
        return dir.filePath(QStringLiteral("DateVDaten/DateV.sqlite"));
    }

    // Installs, then fills the journal with bookings 1..10 and deletes 3, 4, 7 and the last
    // two, so that the journal has gaps and a counter above its largest key.
    void journalMitLuecken(const testsupport::TempProgramDir& dir)
    {
        StrukturCheck(dir.path(), nullptr).Check_Version();
        Db d(datenbank(dir));
        for (int i = 1; i <= 10; ++i) {
            d.exec(QStringLiteral("INSERT INTO Buchungen (Buchungsnummer, Datum, Soll, Haben, Buchungstext, Brutto, Netto,"
                                  " USTBetrag, Export, Auftrag, ValutaDatum) VALUES (%1, '2024-03-%2', 10000, 8400,"
                                  " 'Rechnung %1 Müller, \"A=B\"', %3, %4, %5, %6, %7, NULL)")
                       .arg(100 + i).arg(i, 2, 10, QLatin1Char('0'))
                       .arg(119.0 + i).arg(100.0 + i).arg(19.0).arg(i % 2).arg(i == 5 ? -5 : i));
        }
        d.exec(QStringLiteral("DELETE FROM Buchungen WHERE BuchNr IN (3, 4, 7, 9, 10)"));
    }

    void vorlageAendern(const testsupport::TempProgramDir& dir, const QString& alt, const QString& neu,
                        const QByteArray& version = "SHOP_DBV=2\r\n")
    {
        const QString pfad = dir.filePath(QStringLiteral("DateVdb/Buchungen.sql"));
        QString ddl = QString::fromUtf8(lesen(pfad));
        QVERIFY(ddl.contains(alt));
        schreiben(pfad, ddl.replace(alt, neu).toUtf8());
        schreiben(dir.filePath(QStringLiteral("DateVdb/version.xxl")), version);
    }

private slots:
    void firstInstallationCreatesTablesAndFillsStartData()
    {
        testsupport::TempProgramDir dir;
        RecordingFeedback fb;
        StrukturCheck check(dir.path(), &fb);
        QVERIFY(check.Check_Version());
        QVERIFY(!check.EndeAngefordert());
        QCOMPARE(fb.messages, QStringList{KonvertText});
        QCOMPARE(lesen(dir.filePath(QStringLiteral("DateVDaten/version.xxl"))),
                 lesen(dir.filePath(QStringLiteral("DateVdb/version.xxl"))));

        Db d(datenbank(dir));
        QCOMPARE(d.wert(QStringLiteral("SELECT group_concat(name, ',') FROM (SELECT name FROM sqlite_master"
                                       " WHERE type='table' AND name NOT LIKE 'sqlite%' ORDER BY name)")).toString(),
                 QStringLiteral("Buchungen,KoTrans,MWSTEIN"));
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM MWSTEIN")).toInt(), 8);
        QCOMPARE(d.wert(QStringLiteral("SELECT MWSTKONTOV FROM mwstein WHERE MWSTSATZ=1")).toInt(), 1776);
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM Buchungen")).toInt(), 0);

        // Built from the templates, the tables equal them; the next start finds all current.
        for (const QString& t : {QStringLiteral("Buchungen"), QStringLiteral("MWSTEIN"), QStringLiteral("KoTrans")})
            QVERIFY2(check.Struktur_Check(dir.filePath(QStringLiteral("DateVdb/") + t),
                                          dir.filePath(QStringLiteral("DateVDaten/") + t)), qPrintable(t));
        RecordingFeedback zweiter;
        StrukturCheck erneut(dir.path(), &zweiter);
        QVERIFY(erneut.Check());
        QVERIFY(zweiter.messages.isEmpty());
    }

    void gainedFieldKeepsRowsKeysAndCounter()
    {
        testsupport::TempProgramDir dir;
        journalMitLuecken(dir);
        QStringList vorher;
        {
            Db d(datenbank(dir));
            vorher = d.zeilen(QStringLiteral("Buchungen"), JournalFelder);
        }
        QCOMPARE(vorher.size(), 5);
        vorlageAendern(dir, QStringLiteral("  ValutaDatum DATE\n"), QStringLiteral("  ValutaDatum DATE,\n  Notiz VARCHAR(40)\n"));

        RecordingFeedback fb;
        StrukturCheck check(dir.path(), &fb);
        QVERIFY(check.Check_Version());
        QCOMPARE(fb.messages, QStringList{KonvertText});

        Db d(datenbank(dir));
        QCOMPARE(d.zeilen(QStringLiteral("Buchungen"), JournalFelder), vorher);
        QCOMPARE(d.wert(QStringLiteral("SELECT group_concat(BuchNr) FROM Buchungen")).toString(), QStringLiteral("1,2,5,6,8"));
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM Buchungen WHERE Notiz IS NULL")).toInt(), 5);
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='index' AND tbl_name='Buchungen'"
                                       " AND name IN ('IX_Datum','IX_Vorgang','IX_Buchungsnummer')")).toInt(), 3);
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name LIKE 'NEW_%'")).toInt(), 0);
        d.exec(QStringLiteral("INSERT INTO Buchungen (Buchungsnummer) VALUES (999)"));
        QCOMPARE(d.wert(QStringLiteral("SELECT MAX(BuchNr) FROM Buchungen")).toInt(), 11);
        QVERIFY(check.Struktur_Check(dir.filePath(QStringLiteral("DateVdb/Buchungen")),
                                     dir.filePath(QStringLiteral("DateVDaten/Buchungen"))));
    }

    void renamedFieldStartsEmpty()
    {
        testsupport::TempProgramDir dir;
        journalMitLuecken(dir);
        vorlageAendern(dir, QStringLiteral("  Buchungstext VARCHAR(80),"), QStringLiteral("  Text VARCHAR(80),"));
        QVERIFY(StrukturCheck(dir.path(), nullptr).Check_Version());
        Db d(datenbank(dir));
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM Buchungen WHERE Text IS NULL AND Soll=10000")).toInt(), 5);
        QCOMPARE(d.wert(QStringLiteral("SELECT group_concat(Brutto) FROM Buchungen")).toString(),
                 QStringLiteral("120.0,121.0,124.0,125.0,127.0"));
    }

    void equalVersionsTouchNothing()
    {
        testsupport::TempProgramDir dir;
        journalMitLuecken(dir);
        vorlageAendern(dir, QStringLiteral("  ValutaDatum DATE\n"), QStringLiteral("  ValutaDatum DATE,\n  Notiz TEXT\n"),
                       "SHOP_DBV=1\r\n");
        RecordingFeedback fb;
        StrukturCheck check(dir.path(), &fb);
        QVERIFY(check.Check_Version());
        QVERIFY(fb.messages.isEmpty());
        Db d(datenbank(dir));
        QVERIFY(!d.db().record(QStringLiteral("Buchungen")).contains(QStringLiteral("Notiz")));
    }

    void versionFiles_data()
    {
        QTest::addColumn<QByteArray>("vorlage");   // null: file missing
        QTest::addColumn<QByteArray>("daten");     // null: file missing
        QTest::addColumn<bool>("aktuell");
        QTest::addColumn<bool>("ende");
        QTest::addColumn<QString>("meldung");

        const QString neuInstallieren = QStringLiteral(
            "WICHTIG: Bitte installieren Sie das Produkt nochmals!\rDamit die neue Version komplett übernommen werden kann!");
        const QString neuer = QStringLiteral(
            "Die Datenbank im gewählten Datenverzeichnis ist in\reiner neueren Version als die Version auf diesem "
            "Arbeitsplatz!\r\rInstallieren Sie das Update auch auf diesen Arbeitsplatz!");
        QTest::newRow("template version missing") << QByteArray() << QByteArray("SHOP_DBV=1") << true << true << neuInstallieren;
        QTest::newRow("first installation") << QByteArray("SHOP_DBV=1") << QByteArray() << false << false << QString();
        QTest::newRow("equal") << QByteArray("SHOP_DBV=1,5") << QByteArray("SHOP_DBV=1.5") << true << false << QString();
        QTest::newRow("update") << QByteArray("SHOP_DBV=2") << QByteArray("SHOP_DBV=1") << false << false << QString();
        QTest::newRow("database newer") << QByteArray("SHOP_DBV=1") << QByteArray("SHOP_DBV=2") << true << true << neuer;
        QTest::newRow("template without SHOP_DBV") << QByteArray("garbage\nX=1") << QByteArray("SHOP_DBV=1") << true
                                                   << true << neuer;
        QTest::newRow("database without SHOP_DBV") << QByteArray("SHOP_DBV=1") << QByteArray("[x]\n==\nshop_dbv=\n")
                                                   << false << false << QString();
        QTest::newRow("neither has SHOP_DBV") << QByteArray("") << QByteArray("\xff\xfe") << true << false << QString();
    }

    void versionFiles()
    {
        QFETCH(QByteArray, vorlage);
        QFETCH(QByteArray, daten);
        QFETCH(bool, aktuell);
        QFETCH(bool, ende);
        QFETCH(QString, meldung);
        testsupport::TempProgramDir dir;
        QFile::remove(dir.filePath(QStringLiteral("DateVdb/version.xxl")));
        if (!vorlage.isNull())
            schreiben(dir.filePath(QStringLiteral("DateVdb/version.xxl")), vorlage);
        if (!daten.isNull())
            schreiben(dir.filePath(QStringLiteral("DateVDaten/version.xxl")), daten);
        RecordingFeedback fb;
        StrukturCheck check(dir.path(), &fb);
        QCOMPARE(check.Check(), aktuell);
        QCOMPARE(check.EndeAngefordert(), ende);
        QCOMPARE(fb.messages, meldung.isEmpty() ? QStringList() : QStringList{meldung});
        if (ende) {
            // Nothing is converted when the program is to end.
            QVERIFY(check.Check_Version());
            QVERIFY(!QFile::exists(datenbank(dir)));
        }
    }

    // A booking that cannot enter the new structure must not be lost: the table keeps its old
    // structure and every row, the run is reported, and the next start tries again.
    void rowThatCannotBeCopiedKeepsOldTable_data()
    {
        QTest::addColumn<QString>("vorbereitung");
        QTest::addColumn<QString>("alt");
        QTest::addColumn<QString>("neu");
        QTest::newRow("text in a field that became a number")
            << QStringLiteral("UPDATE Buchungen SET Buchungstext='kein Betrag' WHERE BuchNr=5")
            << QStringLiteral("  Buchungstext VARCHAR(80),") << QStringLiteral("  Buchungstext DOUBLE,");
        QTest::newRow("empty field that became required")
            << QStringLiteral("UPDATE Buchungen SET Haben=NULL WHERE BuchNr=6")
            << QStringLiteral("  Haben INTEGER,") << QStringLiteral("  Haben INTEGER NOT NULL,\n  Notiz TEXT,");
    }

    void rowThatCannotBeCopiedKeepsOldTable()
    {
        QFETCH(QString, vorbereitung);
        QFETCH(QString, alt);
        QFETCH(QString, neu);
        testsupport::TempProgramDir dir;
        journalMitLuecken(dir);
        QStringList vorher;
        QString struktur;
        {
            Db d(datenbank(dir));
            d.exec(vorbereitung);
            vorher = d.zeilen(QStringLiteral("Buchungen"), JournalFelder);
            struktur = d.wert(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='Buchungen'")).toString();
        }
        vorlageAendern(dir, alt, neu);
        // Another table changes too: it is converted all the same.
        const QString kotrans = dir.filePath(QStringLiteral("DateVdb/KoTrans.sql"));
        schreiben(kotrans, lesen(kotrans).replace("Bemerkung TEXT", "Bemerkung TEXT,\n  Gueltig DATE"));

        RecordingFeedback fb;
        StrukturCheck check(dir.path(), &fb);
        QVERIFY(!check.Check_Version());
        QCOMPARE(fb.messages, (QStringList{KonvertText, QStringLiteral("Es ist ein Fehler bei Datenbank: Buchungen aufgetreten!"),
                                           QStringLiteral("WICHTIG es ist ein Fehler bei der Datenkonvertierung aufgetreten!")}));
        QCOMPARE(check.FehlerTabellen(), QStringList{QStringLiteral("Buchungen")});
        QVERIFY(!fb.lines.isEmpty());

        Db d(datenbank(dir));
        QCOMPARE(d.zeilen(QStringLiteral("Buchungen"), JournalFelder), vorher);
        QCOMPARE(d.wert(QStringLiteral("SELECT sql FROM sqlite_master WHERE name='Buchungen'")).toString(), struktur);
        QVERIFY(d.db().record(QStringLiteral("KoTrans")).contains(QStringLiteral("Gueltig")));
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name LIKE 'NEW_%'")).toInt(), 0);
        QCOMPARE(lesen(dir.filePath(QStringLiteral("DateVDaten/version.xxl"))), QByteArray("SHOP_DBV=1\r\n"));
    }

    void unreadableTemplateAsksForReinstallation()
    {
        testsupport::TempProgramDir dir;
        journalMitLuecken(dir);
        schreiben(dir.filePath(QStringLiteral("DateVdb/Buchungen.sql")), "CREATE TABLE Buchungen (BuchNr INTEGER PRIMARY KEY,");
        schreiben(dir.filePath(QStringLiteral("DateVdb/version.xxl")), "SHOP_DBV=2");
        RecordingFeedback fb;
        StrukturCheck check(dir.path(), &fb);
        QVERIFY(!check.Check_Version());
        QVERIFY(check.EndeAngefordert());
        QVERIFY(fb.messages.contains(QStringLiteral(
            "WICHTIG: Bitte installieren Sie das Produkt nochmals!\rDamit die neue Version komplett übernommen werden kann!")));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("DateVdb/version.xxl"))));
        Db d(datenbank(dir));
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM Buchungen")).toInt(), 5);
    }

    void rebuildAllWithoutDatabaseVersion()
    {
        testsupport::TempProgramDir dir;
        journalMitLuecken(dir);
        QFile::remove(dir.filePath(QStringLiteral("DateVDaten/version.xxl")));
        QVERIFY(StrukturCheck(dir.path(), nullptr).Check_Version());
        Db d(datenbank(dir));
        QCOMPARE(d.wert(QStringLiteral("SELECT group_concat(BuchNr) FROM Buchungen")).toString(), QStringLiteral("1,2,5,6,8"));
        QCOMPARE(d.wert(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name='Buchungen'")).toInt(), 10);
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM MWSTEIN")).toInt(), 8);
    }

    void startDataFillsOnlyEmptyTables()
    {
        testsupport::TempProgramDir dir;
        StrukturCheck(dir.path(), nullptr).Check_Version();
        {
            Db d(datenbank(dir));
            d.exec(QStringLiteral("DELETE FROM MWSTEIN WHERE MWSTSATZ <> 1"));
            d.exec(QStringLiteral("UPDATE MWSTEIN SET MWSTKONTOV=1777"));
        }
        StrukturCheck check(dir.path(), nullptr);
        QVERIFY(check.ErstInsatll());
        {
            Db d(datenbank(dir));
            QCOMPARE(d.wert(QStringLiteral("SELECT group_concat(MWSTSATZ || ':' || MWSTKONTOV) FROM MWSTEIN")).toString(),
                     QStringLiteral("1:1777"));
            d.exec(QStringLiteral("DELETE FROM MWSTEIN"));
        }
        QVERIFY(check.ErstInsatll());
        Db d(datenbank(dir));
        QCOMPARE(d.wert(QStringLiteral("SELECT COUNT(*) FROM MWSTEIN")).toInt(), 8);
    }

    // Field and index definitions that make a table differ from its template, and those that do not.
    void structureComparison_data()
    {
        QTest::addColumn<QString>("vorlage");
        QTest::addColumn<QString>("tabelle");
        QTest::addColumn<bool>("gleich");
        const QString basis = QStringLiteral("CREATE TABLE T (Nr INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(40), Wert DOUBLE);"
                                             "CREATE INDEX IX_Name ON T (Name);");
        QTest::newRow("same") << basis << basis << true;
        QTest::newRow("index name only") << basis << QString(basis).replace(QStringLiteral("IX_Name"), QStringLiteral("X1")) << true;
        QTest::newRow("required flag only") << basis << QString(basis).replace(QStringLiteral("Wert DOUBLE"), QStringLiteral("Wert DOUBLE NOT NULL")) << true;
        QTest::newRow("text width") << basis << QString(basis).replace(QStringLiteral("VARCHAR(40)"), QStringLiteral("VARCHAR(60)")) << false;
        QTest::newRow("field type") << basis << QString(basis).replace(QStringLiteral("Wert DOUBLE"), QStringLiteral("Wert INTEGER")) << false;
        QTest::newRow("field name case") << basis << QString(basis).replace(QStringLiteral("Wert DOUBLE"), QStringLiteral("WERT DOUBLE")) << false;
        QTest::newRow("field order") << basis << QStringLiteral("CREATE TABLE T (Nr INTEGER PRIMARY KEY AUTOINCREMENT, Wert DOUBLE, Name VARCHAR(40));"
                                                               "CREATE INDEX IX_Name ON T (Name);") << false;
        QTest::newRow("extra field") << basis << QString(basis).replace(QStringLiteral("Wert DOUBLE"), QStringLiteral("Wert DOUBLE, X TEXT")) << false;
        QTest::newRow("no autoincrement") << basis << QString(basis).replace(QStringLiteral(" AUTOINCREMENT"), QString()) << false;
        QTest::newRow("index missing") << basis << QString(basis).remove(QStringLiteral("CREATE INDEX IX_Name ON T (Name);")) << false;
        QTest::newRow("index fields") << basis << QString(basis).replace(QStringLiteral("T (Name)"), QStringLiteral("T (Name, Wert)")) << false;
        QTest::newRow("index unique") << basis << QString(basis).replace(QStringLiteral("CREATE INDEX"), QStringLiteral("CREATE UNIQUE INDEX")) << false;
        QTest::newRow("index descending") << basis << QString(basis).replace(QStringLiteral("T (Name)"), QStringLiteral("T (Name DESC)")) << false;
        QTest::newRow("table missing") << basis << QString() << false;
    }

    void structureComparison()
    {
        QFETCH(QString, vorlage);
        QFETCH(QString, tabelle);
        QFETCH(bool, gleich);
        QTemporaryDir dir;
        schreiben(dir.filePath(QStringLiteral("V/T.sql")), vorlage.toUtf8());
        QDir().mkpath(dir.filePath(QStringLiteral("D")));
        {
            Db d(dir.filePath(QStringLiteral("D/DateV.sqlite")));
            for (const QString& sql : SqlAnweisungen(tabelle))
                d.exec(sql);
        }
        StrukturCheck check(dir.path(), nullptr);
        QCOMPARE(check.Struktur_Check(dir.filePath(QStringLiteral("V/T")), dir.filePath(QStringLiteral("D/T"))), gleich);
        // A table created from the template equals it, whatever the differences were.
        QVERIFY(check.StrukturKopieren(dir.filePath(QStringLiteral("V/T")), dir.filePath(QStringLiteral("D/NEU"))));
        QVERIFY(check.Tab_Move(dir.filePath(QStringLiteral("D/NEU")), dir.filePath(QStringLiteral("D/T"))));
        QVERIFY(check.Struktur_Check(dir.filePath(QStringLiteral("V/T")), dir.filePath(QStringLiteral("D/T"))));
    }

#ifdef Q_OS_UNIX
    // A start killed while a table is converted leaves it readable with all its rows; the
    // next start converts it.
    void killedDuringConversionLosesNothing()
    {
        testsupport::TempProgramDir dir;
        journalMitLuecken(dir);
        QStringList vorher;
        {
            Db d(datenbank(dir));
            vorher = d.zeilen(QStringLiteral("Buchungen"), JournalFelder);
        }
        vorlageAendern(dir, QStringLiteral("  ValutaDatum DATE\n"), QStringLiteral("  ValutaDatum DATE,\n  Notiz TEXT\n"));
        const pid_t kind = fork();
        if (kind == 0) {
            RecordingFeedback fb;
            // Killed right after the rows were copied into the new table.
            fb.onStatus = [](const QString& text) {
                if (text.contains(QStringLiteral(" von ")))
                    raise(SIGKILL);
            };
            StrukturCheck(dir.path(), &fb).Check_Version();
            _exit(0);
        }
        int status = 0;
        waitpid(kind, &status, 0);
        QVERIFY(WIFSIGNALED(status));
        {
            Db d(datenbank(dir));
            QCOMPARE(d.zeilen(QStringLiteral("Buchungen"), JournalFelder), vorher);
            QVERIFY(!d.db().record(QStringLiteral("Buchungen")).contains(QStringLiteral("Notiz")));
        }
        QVERIFY(StrukturCheck(dir.path(), nullptr).Check_Version());
        Db d(datenbank(dir));
        QCOMPARE(d.zeilen(QStringLiteral("Buchungen"), JournalFelder), vorher);
        QVERIFY(d.db().record(QStringLiteral("Buchungen")).contains(QStringLiteral("Notiz")));
    }
#endif
};

QTEST_GUILESS_MAIN(TstStrukturCheck)
#include "tst_strukturcheck.moc"
