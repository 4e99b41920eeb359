// build/bin/fibu -IN against a demo merchandise database whose documents lie in the last 30
// days, started without any display as a scheduled task would: the bookings reach the local
// journal and the documents are flagged; a run that cannot import ends with a non-zero status.

#include "dataaccess/demodaten.h"
#include "dataaccess/wawiauswahl.h"
#include "dataaccess/wawischema.h"
#include "store/einstellungen.h"
#include "store/registry.h"
#include "testsupport.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {

constexpr int kProgramm = 3;

struct Ergebnis {
    bool beendet = false;
    int status = -1;
    QString ausgabe;
};

Ergebnis starten(const testsupport::TempProgramDir& programm, const QStringList& parameter)
{
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        umgebung.remove(QLatin1String(name));
    umgebung.insert(QStringLiteral("QEM_PROGRAM_DIR"), programm.path());
    umgebung.insert(QStringLiteral("QEM_REGISTRY"), programm.registryFile());
    QProcess prozess;
    prozess.setProcessEnvironment(umgebung);
    prozess.setWorkingDirectory(programm.path());
    prozess.start(testsupport::binDir() + QStringLiteral("/fibu"), parameter);
    Ergebnis e;
    e.beendet = prozess.waitForFinished(120000);
    if (!e.beendet)
        prozess.kill();
    e.status = prozess.exitStatus() == QProcess::NormalExit ? prozess.exitCode() : -1;
    e.ausgabe = QString::fromUtf8(prozess.readAllStandardOutput() + prozess.readAllStandardError());
    return e;
}

int anzahl(const QString& datei, const QString& sql)
{
    int n = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("pruefung"));
        db.setDatabaseName(datei);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(sql) && q.next())
                n = q.value(0).toInt();
            else
                qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("pruefung"));
    return n;
}

// The demo merchandise database beside the program, the product's connection and client in the
// registry, and product and client in QemDatev.ini, as an installation has them.
void einrichten(const testsupport::TempProgramDir& programm, const QString& wawiDatei, bool mitGoBD)
{
    {
        QSqlDatabase w = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo"));
        w.setDatabaseName(programm.filePath(QStringLiteral("wawi.sqlite")));
        QVERIFY(w.open());
        QString fehler;
        QVERIFY2(WawiSchema::create(w, {}, &fehler), qPrintable(fehler));
        QVERIFY2(DemoDaten::fill(w, {}, &fehler), qPrintable(fehler));
        if (!mitGoBD)
            QVERIFY(QSqlQuery(w).exec(QStringLiteral("DROP TABLE Monate")));
        w.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("demo"));
    {
        RegistryWechsel wechsel(WaWiAuswahl::produktSchluessel(kProgramm));
        QVERIFY(EinstellungSchreiben(QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"),
                                     WawiSchema::sqliteConnectionString(wawiDatei)));
        QVERIFY(EinstellungSchreiben(QStringLiteral("Mandant"), QStringLiteral("Aktiv"), QStringLiteral("1")));
    }
    PfadeSetzen();
    einstellungen().Qem_Programm = kProgramm;
    einstellungen().Aktiv_Mandant = 1;
    QVERIFY(EinstellungenSpeichern());
}

}  // namespace

class TstFibuImport : public QObject {
    Q_OBJECT
private slots:
    void importsTheLastThirtyDays();
    void failedImportEndsNonZero_data();
    void failedImportEndsNonZero();
};

void TstFibuImport::importsTheLastThirtyDays()
{
    testsupport::TempProgramDir programm;
    const QString wawi = programm.filePath(QStringLiteral("wawi.sqlite"));
    einrichten(programm, wawi, true);
    if (QTest::currentTestFailed())
        return;

    const Ergebnis e = starten(programm, {QStringLiteral("-IN")});
    QVERIFY2(e.beendet, "the unattended import did not end by itself");
    QVERIFY2(e.status == 0, qPrintable(QStringLiteral("status %1\n").arg(e.status) + e.ausgabe));

    const QString journal = programm.filePath(QStringLiteral("DateVDaten/DateV.sqlite"));
    const int buchungen = anzahl(journal, QStringLiteral("SELECT COUNT(*) FROM Buchungen"));
    QVERIFY2(buchungen > 0, qPrintable(e.ausgabe));
    QCOMPARE(anzahl(journal, QStringLiteral("SELECT COUNT(*) FROM Buchungen WHERE Mandant <> 1 OR PrgNr <> 3")), 0);
    QCOMPARE(anzahl(journal, QStringLiteral("SELECT COUNT(*) FROM Buchungen WHERE Datum < date('now', '-31 days')")), 0);
    QVERIFY(anzahl(wawi, QStringLiteral("SELECT COUNT(*) FROM Auftrag WHERE Fibu_Forderung = 1")) > 0);

    // A second run finds everything posted: no document is posted twice.
    const Ergebnis zweiter = starten(programm, {QStringLiteral("-in")});
    QCOMPARE(zweiter.status, 0);
    QCOMPARE(anzahl(journal, QStringLiteral("SELECT COUNT(*) FROM Buchungen")), buchungen);
}

void TstFibuImport::failedImportEndsNonZero_data()
{
    QTest::addColumn<bool>("mitGoBD");
    QTest::addColumn<QString>("verbindungsDatei");  // relative to the program directory
    QTest::addColumn<QString>("meldung");
    QTest::newRow("merchandise database without Monate") << false << "wawi.sqlite" << "GoBD";
    QTest::newRow("merchandise database unreachable") << true << "fehlt/wawi.sqlite" << "Warenwirtschaft";
}

void TstFibuImport::failedImportEndsNonZero()
{
    QFETCH(bool, mitGoBD);
    QFETCH(QString, verbindungsDatei);
    QFETCH(QString, meldung);
    testsupport::TempProgramDir programm;
    einrichten(programm, programm.filePath(verbindungsDatei), mitGoBD);
    if (QTest::currentTestFailed())
        return;
    const Ergebnis e = starten(programm, {QStringLiteral("-IN")});
    QVERIFY(e.beendet);
    QVERIFY2(e.status > 0, qPrintable(e.ausgabe));
    QVERIFY2(e.ausgabe.contains(meldung), qPrintable(e.ausgabe));
    const QString journal = programm.filePath(QStringLiteral("DateVDaten/DateV.sqlite"));
    QCOMPARE(anzahl(journal, QStringLiteral("SELECT COUNT(*) FROM Buchungen")), 0);
}

QTEST_GUILESS_MAIN(TstFibuImport)
#include "tst_fibu_import.moc"
