// fibu-demodb: creates a merchandise-management database with demo or benchmark data.
//   fibu-demodb --sqlite FILE | --mariadb host:port:db [--user U --password P]
//               --demo | --bench N M  [--without-optional] [--list]
//               [--programmdir DIR]   also set up DIR as the demo program directory
#include "dataaccess/benchgenerator.h"
#include "dataaccess/demodaten.h"
#include "dataaccess/wawiauswahl.h"
#include "dataaccess/wawischema.h"
#include "store/einstellungen.h"
#include "store/registry.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

namespace {

QTextStream& out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& err()
{
    static QTextStream s(stderr);
    return s;
}

// Opens the MariaDB database, creating it when it does not exist yet.
bool openMariaDb(QSqlDatabase& db, const QString& address, const QString& user, const QString& password)
{
    const QStringList parts = address.split(QLatin1Char(':'));
    if (parts.size() != 3 || parts[2].isEmpty()) {
        err() << "--mariadb erwartet host:port:datenbank\n";
        return false;
    }
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("admin"));
        admin.setHostName(parts[0]);
        admin.setPort(parts[1].toInt());
        admin.setUserName(user);
        admin.setPassword(password);
        if (!admin.open()) {
            err() << "Keine Verbindung zum Server: " << admin.lastError().text() << "\n";
            return false;
        }
        QSqlQuery q(admin);
        if (!q.exec(QStringLiteral("CREATE DATABASE IF NOT EXISTS `%1` CHARACTER SET utf8mb4").arg(parts[2]))) {
            err() << q.lastError().text() << "\n";
            return false;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
    db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("wawi"));
    db.setHostName(parts[0]);
    db.setPort(parts[1].toInt());
    db.setDatabaseName(parts[2]);
    db.setUserName(user);
    db.setPassword(password);
    if (!db.open()) {
        err() << "Datenbank nicht geöffnet: " << db.lastError().text() << "\n";
        return false;
    }
    return true;
}

// The product Qem-Stavro SQL (kind 3) with the demo database and client 1, and QemDatev.ini
// with the DATEV target DIR/DATEV/ and the DATEV numbers, as the program reads them there.
bool programmverzeichnisEinrichten(const QString& dir, const QString& verbindung)
{
    const QString abs = QDir(dir).absolutePath();
    qputenv("QEM_PROGRAM_DIR", abs.toLocal8Bit());
    qputenv("QEM_REGISTRY", (abs + QStringLiteral("/registry.ini")).toLocal8Bit());
    constexpr int programm = 3;
    {
        RegistryWechsel wechsel(WaWiAuswahl::produktSchluessel(programm));
        if (!EinstellungSchreiben(QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), verbindung)
            || !EinstellungSchreiben(QStringLiteral("Mandant"), QStringLiteral("Aktiv"), QStringLiteral("1"))) {
            err() << "Registry-Datei nicht geschrieben: " << RegistryDatei() << "\n";
            return false;
        }
    }
    PfadeSetzen();
    Einstellungen& e = einstellungen();
    e.Qem_Programm = programm;
    e.Aktiv_Mandant = 1;
    e.DateV_Path = abs + QStringLiteral("/DATEV/");
    e.DateV_DFV = QStringLiteral("QE");
    e.DateV_Datennr = QStringLiteral("1");
    e.DateV_Abrechnr = QStringLiteral("1");
    e.DateV_Stnr = QStringLiteral("29098");
    e.DateV_MandantNr = QStringLiteral("55003");
    e.DateV_Berater = QStringLiteral("Steuerkanzlei Hansen & Partner");
    QDir().mkpath(e.DateV_Path);
    if (!EinstellungenSpeichern()) {
        err() << "QemDatev.ini nicht geschrieben in " << abs << "\n";
        return false;
    }
    out() << "Programmverzeichnis: " << abs << "\n  Registry: " << RegistryDatei()
          << "\n  SQLVerbindung: " << verbindung << "\n  DateV_Path: " << e.DateV_Path << "\n";
    return true;
}

void printCounts(QSqlDatabase& db)
{
    for (const WawiTabelle& t : WawiSchema::tabellen()) {
        QSqlQuery q(db);
        q.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(t.name));
        out() << "  " << t.name.leftJustified(14) << (q.next() ? q.value(0).toLongLong() : -1) << "\n";
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Legt eine Warenwirtschaftsdatenbank mit Demo- oder Benchmarkdaten an."));
    p.addHelpOption();
    p.addOptions({{QStringLiteral("sqlite"), QStringLiteral("SQLite-Datei"), QStringLiteral("datei")},
                  {QStringLiteral("mariadb"), QStringLiteral("MariaDB-Datenbank"), QStringLiteral("host:port:db")},
                  {QStringLiteral("user"), QStringLiteral("MariaDB-Benutzer"), QStringLiteral("name"), QStringLiteral("root")},
                  {QStringLiteral("password"), QStringLiteral("MariaDB-Kennwort"), QStringLiteral("kennwort")},
                  {QStringLiteral("demo"), QStringLiteral("Demodaten für zwei Mandanten")},
                  {QStringLiteral("bench"), QStringLiteral("N Vorgänge mit je M Positionen (mit --bench N M)"), QStringLiteral("N")},
                  {QStringLiteral("without-optional"), QStringLiteral("Tabellen ohne die optionalen Felder")},
                  {QStringLiteral("list"), QStringLiteral("Demobelege mit ihrem Zustand ausgeben")},
                  {QStringLiteral("programmdir"), QStringLiteral("Demo-Programmverzeichnis einrichten (Registry, QemDatev.ini)"), QStringLiteral("dir")}});
    p.addPositionalArgument(QStringLiteral("M"), QStringLiteral("Positionen je Vorgang (nach --bench N)"), QStringLiteral("[M]"));
    p.process(app);

    if (p.isSet(QStringLiteral("list"))) {
        for (const DemoBeleg& b : DemoDaten::belege())
            out() << "Mandant " << b.mandant << "  Art " << QString::number(b.art).rightJustified(2) << "  "
                  << b.vorgangsnummer.leftJustified(12) << b.zustand << "\n";
        return 0;
    }
    const bool demo = p.isSet(QStringLiteral("demo"));
    const bool bench = p.isSet(QStringLiteral("bench"));
    if (demo == bench || p.isSet(QStringLiteral("sqlite")) == p.isSet(QStringLiteral("mariadb"))) {
        err() << "Genau eines von --sqlite/--mariadb und eines von --demo/--bench angeben.\n";
        p.showHelp(2);
    }
    QSqlDatabase db;
    if (p.isSet(QStringLiteral("sqlite"))) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("wawi"));
        db.setDatabaseName(QFileInfo(p.value(QStringLiteral("sqlite"))).absoluteFilePath());
        if (!db.open()) {
            err() << "Datei nicht geöffnet: " << db.lastError().text() << "\n";
            return 1;
        }
    } else if (!openMariaDb(db, p.value(QStringLiteral("mariadb")), p.value(QStringLiteral("user")),
                            p.value(QStringLiteral("password")))) {
        return 1;
    }

    WawiSchemaOptions schema;
    schema.withOptionalFields = !p.isSet(QStringLiteral("without-optional"));
    QString error;
    QElapsedTimer timer;
    timer.start();
    if (demo) {
        if (!WawiSchema::create(db, schema, &error) || !DemoDaten::fill(db, schema, &error)) {
            err() << "Fehler: " << error << "\n";
            return 1;
        }
    } else {
        BenchOptions o;
        o.belege = p.value(QStringLiteral("bench")).toInt();
        o.positionen = p.positionalArguments().value(0, QStringLiteral("5")).toInt();
        o.schema = schema;
        if (o.belege < 1 || o.positionen < 0) {
            err() << "--bench N M: N ab 1, M ab 0\n";
            return 2;
        }
        BenchErgebnis e;
        if (!BenchGenerator::generate(db, o, &error, &e, [](qint64 done, qint64 total) {
                if (done % 10000 == 0 || done == total)
                    err() << "\r" << done << " / " << total << " Vorgänge" << Qt::flush;
            })) {
            err() << "\nFehler: " << error << "\n";
            return 1;
        }
        err() << "\n";
    }
    out() << "Tabellen (Zeilen), " << timer.elapsed() << " ms:\n";
    printCounts(db);
    if (p.isSet(QStringLiteral("programmdir"))) {
        if (!p.isSet(QStringLiteral("sqlite"))) {
            err() << "--programmdir nur mit --sqlite\n";
            return 2;
        }
        if (!programmverzeichnisEinrichten(p.value(QStringLiteral("programmdir")),
                                           WawiSchema::sqliteConnectionString(db.databaseName())))
            return 1;
    }
    return 0;
}
