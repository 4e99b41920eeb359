// build/bin/fibu itself, started without any display.
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

namespace {

struct Ergebnis {
    bool beendet = false;
    int status = -1;
    QString fehlerausgabe;
};

// Runs the program with no display and no chosen platform, as from a scheduled task.
Ergebnis starten(const testsupport::TempProgramDir& programm, const QStringList& parameter)
{
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        umgebung.remove(QLatin1String(name));
    umgebung.insert(QStringLiteral("QEM_PROGRAM_DIR"), programm.path());
    umgebung.insert(QStringLiteral("QEM_REGISTRY"), programm.registryFile());

    QProcess prozess;
    prozess.setProcessEnvironment(umgebung);
    prozess.start(testsupport::binDir() + QStringLiteral("/fibu"), parameter);
    Ergebnis ergebnis;
    ergebnis.beendet = prozess.waitForFinished(60000);
    if (!ergebnis.beendet)
        prozess.kill();
    ergebnis.status = prozess.exitStatus() == QProcess::NormalExit ? prozess.exitCode() : -1;
    ergebnis.fehlerausgabe = QString::fromUtf8(prozess.readAllStandardError());
    return ergebnis;
}

}  // namespace

class TstFibuOhneBildschirm : public QObject {
    Q_OBJECT
private slots:
    // A fresh program directory: the start creates the local database, fills it from startdb,
    // writes the settings, and fails clearly because no merchandise-management database is set up.
    void exportWithoutMerchandiseDatabase()
    {
        testsupport::TempProgramDir programm;
        const Ergebnis ergebnis = starten(programm, {QStringLiteral("-AUS")});
        QVERIFY2(ergebnis.beendet, "the unattended run did not end by itself");
        QVERIFY2(ergebnis.status > 0, qPrintable(ergebnis.fehlerausgabe));
        QVERIFY2(ergebnis.fehlerausgabe.contains(QStringLiteral("Warenwirtschaft")),
                 qPrintable(ergebnis.fehlerausgabe));

        const QString daten = programm.filePath(QStringLiteral("DateVDaten"));
        QVERIFY(QFile::exists(daten + QStringLiteral("/version.xxl")));
        QVERIFY(QFile::exists(programm.filePath(QStringLiteral("QemDatev.ini"))));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("pruefung"));
            db.setDatabaseName(daten + QStringLiteral("/DateV.sqlite"));
            QVERIFY(db.open());
            QStringList tabellen;
            for (const QString& t : db.tables())
                tabellen << t.toUpper();
            for (const char* t : {"BUCHUNGEN", "MWSTEIN", "KOTRANS"})
                QVERIFY2(tabellen.contains(QLatin1String(t)), t);
            QSqlQuery zeilen(QStringLiteral("SELECT COUNT(*) FROM MWSTEIN"), db);
            QVERIFY(zeilen.next());
            QFile start(programm.filePath(QStringLiteral("startdb/MWSTEIN.sql")));
            QVERIFY(start.open(QIODevice::ReadOnly));
            QCOMPARE(zeilen.value(0).toInt(), int(start.readAll().count("INSERT INTO")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("pruefung"));
    }

    // Without an unattended option the window cannot come up: say so and end, never hang.
    void windowWithoutDisplay_data()
    {
        QTest::addColumn<QStringList>("parameter");
        QTest::newRow("nothing") << QStringList{};
        QTest::newRow("Filiale2 alone") << QStringList{"Filiale2"};
    }

    void windowWithoutDisplay()
    {
        QFETCH(QStringList, parameter);
        testsupport::TempProgramDir programm;
        const Ergebnis ergebnis = starten(programm, parameter);
        QVERIFY(ergebnis.beendet);
        QCOMPARE(ergebnis.status, 2);
        QVERIFY(ergebnis.fehlerausgabe.contains(QStringLiteral("Kein Bildschirm")));
        QVERIFY(!QFile::exists(programm.filePath(QStringLiteral("DateVDaten"))));
    }
};

QTEST_GUILESS_MAIN(TstFibuOhneBildschirm)
#include "tst_fibu_ohne_bildschirm.moc"
