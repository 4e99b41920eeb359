// Product, client and connection selection against a demo database in a fresh program
// directory: registry keys, messages, client list and the client's man.ini.
#include "dataaccess/demodaten.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemquery.h"
#include "dataaccess/wawiauswahl.h"
#include "dataaccess/wawischema.h"
#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/registry.h"
#include "testsupport.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

class Protokoll : public Feedback {
public:
    void message(const QString& text, MessageKind) override { meldungen.append(text); }
    QStringList meldungen;
};

const QString torvik = QStringLiteral("Software\\Qem-Software\\Qem-Torvik");

// A program directory with its own temporary directory and a demo database.
class Umgebung {
public:
    Umgebung()
    {
        qputenv("TMPDIR", tmp_.path().toLocal8Bit());
        PfadeSetzen();
        datei_ = program_.filePath(QStringLiteral("wawi.sqlite"));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
            db.setDatabaseName(datei_);
            db.open();
            WawiSchema::create(db);
            DemoDaten::fill(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        tbl.SetConnection(&conn);
        tbl.SetSQL(QStringLiteral("SELECT * FROM Mandant"));
        wawi = std::make_unique<WaWiAuswahl>(conn, tbl, log);
        wawi->setWiederholPause(1);
    }
    ~Umgebung()
    {
        wawi.reset();
        tbl.Close();
        conn.Close();
        qunsetenv("TMPDIR");
    }
    QString verbindung() const { return WawiSchema::sqliteConnectionString(datei_); }
    QString datei() const { return datei_; }
    // Under the key of a product (plus a configuration), section Einstellungen\<section>.
    static void setze(const QString& schluessel, const QString& section, const QString& name, const QString& wert)
    {
        RegistryWechsel w(schluessel);
        EinstellungSchreiben(section, name, wert);
    }

    TQemConnection conn;
    TQemQuery tbl;  // the client table as the selection reads it
    Protokoll log;
    std::unique_ptr<WaWiAuswahl> wawi;

private:
    QTemporaryDir tmp_;
    testsupport::TempProgramDir program_{false};
    QString datei_;
};

}  // namespace

class TstWaWiAuswahl : public QObject {
    Q_OBJECT

private slots:
    void init();
    void produktSchluessel_data();
    void produktSchluessel();
    void registrySchluessel_data();
    void registrySchluessel();
    void ladenSqlConnect_data();
    void ladenSqlConnect();
    void startMitProduktNeun();
    void konfigurationFiliale2();
    void keineWarenwirtschaft();
    void verbindungFehlt_data();
    void verbindungFehlt();
    void mandantentabelleFehlt();
    void unbekannterMandant();
    void manIniJeMandant();
    void anderesProduktWaehltSeinenMandanten();
    void manIniWiederholungen();
};

void TstWaWiAuswahl::init()
{
    // As at program start: general defaults, per-client values false or 0.
    einstellungen() = Einstellungen();
    Vorgaben();
}

void TstWaWiAuswahl::produktSchluessel_data()
{
    QTest::addColumn<int>("programm");
    QTest::addColumn<QString>("schluessel");
    QTest::newRow("0") << 0 << QStringLiteral("Software\\Qem-Software\\Taloxa");
    QTest::newRow("1") << 1 << QStringLiteral("Software\\Qem-Software\\Rundel");
    QTest::newRow("2") << 2 << QStringLiteral("Software\\Qem-Software\\Qem-Pellix");
    QTest::newRow("3") << 3 << torvik;
    QTest::newRow("5") << 5 << torvik;
    QTest::newRow("9") << 9 << torvik;
    QTest::newRow("-1") << -1 << torvik;
}

void TstWaWiAuswahl::produktSchluessel()
{
    QFETCH(int, programm);
    QFETCH(QString, schluessel);
    QCOMPARE(WaWiAuswahl::produktSchluessel(programm), schluessel);
    QCOMPARE(WaWiAuswahl::produktNamen(),
             (QStringList{QStringLiteral("Qem-Tillo SQL"), QStringLiteral("Qem-Rundel SQL"),
                          QStringLiteral("Qem-Pellix SQL"), QStringLiteral("Qem-Stavro SQL"),
                          QStringLiteral("Qem-Halden SQL"), QStringLiteral("Sonstige Qem-WAWI SQL")}));
}

void TstWaWiAuswahl::registrySchluessel_data()
{
    QTest::addColumn<QStringList>("parameter");
    QTest::addColumn<QString>("schluessel");
    QTest::newRow("none") << QStringList() << torvik;
    QTest::newRow("Filiale2") << QStringList{QStringLiteral("Filiale2"), QStringLiteral("-IN")}
                              << torvik + QStringLiteral("\\Filiale2");
    QTest::newRow("untrimmed") << QStringList{QStringLiteral("Filiale2 ")} << torvik + QStringLiteral("\\Filiale2 ");
    QTest::newRow("option") << QStringList{QStringLiteral("-INAUS")} << torvik;
    QTest::newRow("blank-option") << QStringList{QStringLiteral(" -IN")} << torvik;
}

void TstWaWiAuswahl::registrySchluessel()
{
    QFETCH(QStringList, parameter);
    QFETCH(QString, schluessel);
    QCOMPARE(WaWiAuswahl::registrySchluessel(3, parameter), schluessel);
}

void TstWaWiAuswahl::ladenSqlConnect_data()
{
    QTest::addColumn<QString>("gespeichert");
    QTest::addColumn<QString>("gegeben");
    QTest::addColumn<QString>("ergebnis");
    QTest::newRow("stored") << QStringLiteral(" Provider=SQLite;Data Source=/x ") << QString()
                            << QStringLiteral("Provider=SQLite;Data Source=/x");
    QTest::newRow("given") << QStringLiteral("Provider=SQLite;Data Source=/x") << QStringLiteral("Provider=SQLite;Data Source=/y")
                           << QStringLiteral("Provider=SQLite;Data Source=/y");
    QTest::newRow("encoded") << QStringLiteral("#:A7F3C2") << QString() << QString();
    QTest::newRow("encoded-with-passwor") << QStringLiteral("#:Password=x") << QString() << QString();
    QTest::newRow("missing") << QString() << QString() << QString();
}

void TstWaWiAuswahl::ladenSqlConnect()
{
    QFETCH(QString, gespeichert);
    QFETCH(QString, gegeben);
    QFETCH(QString, ergebnis);
    Umgebung u;
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), gespeichert);
    RegistryWechsel w(torvik);
    QCOMPARE(WaWiAuswahl::LadenSQL_Connect(gegeben), ergebnis);
}

void TstWaWiAuswahl::startMitProduktNeun()
{
    Umgebung u;
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), u.verbindung());
    einstellungen().Qem_Programm = 9;
    einstellungen().Aktiv_Mandant = 1;
    QCOMPARE(u.wawi->ProgrammChange(1, 9), WaWiAuswahl::Ergebnis::Verbunden);
    QCOMPARE(u.wawi->letzterSchluessel(), torvik);
    QCOMPARE(AktuellerRegistrySchluessel(), ProgrammRegistrySchluessel);
    QCOMPARE(einstellungen().Qem_Programm, 9);
    QCOMPARE(u.wawi->ansicht().mandanten,
             (QStringList{QStringLiteral("Müller Bürotechnik GmbH"), QStringLiteral("Schmidt & Partner Handels KG")}));
    QCOMPARE(u.wawi->ansicht().mandantIndex, 0);
    QVERIFY(u.log.meldungen.isEmpty());
    QVERIFY(QFileInfo(einstellungen().TempPfad + QStringLiteral("torv")).isDir());

    // The dialog then shows no product and sets the product kind to -1.
    QCOMPARE(u.wawi->formShow(), WaWiAuswahl::Ergebnis::Verbunden);
    QCOMPARE(u.wawi->ansicht().programmIndex, -1);
    QCOMPARE(einstellungen().Qem_Programm, -1);
    QCOMPARE(u.wawi->ansicht().mandantIndex, 0);
}

void TstWaWiAuswahl::konfigurationFiliale2()
{
    Umgebung u;
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), u.verbindung());
    u.wawi->setParameter({QStringLiteral("Filiale2"), QStringLiteral("-INAUS")});
    QCOMPARE(u.wawi->ProgrammChange(1, 3), WaWiAuswahl::Ergebnis::KeineWarenwirtschaft);
    QCOMPARE(u.log.meldungen,
             QStringList{QStringLiteral("Es wurde keine Warenwirtschaft gefunden:\rRegpath: Software\\Qem-Software\\Qem-Torvik\\Filiale2")});

    Umgebung::setze(torvik + QStringLiteral("\\Filiale2"), QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"),
                    u.verbindung());
    QCOMPARE(u.wawi->ProgrammChange(1, 3), WaWiAuswahl::Ergebnis::Verbunden);
    QCOMPARE(u.wawi->ansicht().mandanten.size(), 2);
}

void TstWaWiAuswahl::keineWarenwirtschaft()
{
    Umgebung u;
    Umgebung::setze(QStringLiteral("Software\\Qem-Software\\Rundel"), QStringLiteral("Verzeichnis"),
                    QStringLiteral("SQLVerbindung"), QStringLiteral("   "));
    QCOMPARE(u.wawi->ProgrammChange(0, 1), WaWiAuswahl::Ergebnis::KeineWarenwirtschaft);
    QCOMPARE(u.log.meldungen,
             QStringList{QStringLiteral("Es wurde keine Warenwirtschaft gefunden:\rRegpath: Software\\Qem-Software\\Rundel")});
    QVERIFY(!u.wawi->ansicht().mandantenSichtbar);
    QCOMPARE(u.wawi->tag(), 0);
    QCOMPARE(einstellungen().Qem_Programm, 1);
    QCOMPARE(AktuellerRegistrySchluessel(), ProgrammRegistrySchluessel);
}

void TstWaWiAuswahl::verbindungFehlt_data()
{
    QTest::addColumn<int>("editor");  // 0 none (unattended), 1 declines, 2 gives a working string
    QTest::addColumn<bool>("verbunden");
    QTest::newRow("unattended") << 0 << false;
    QTest::newRow("declined") << 1 << false;
    QTest::newRow("repaired") << 2 << true;
}

void TstWaWiAuswahl::verbindungFehlt()
{
    QFETCH(int, editor);
    QFETCH(bool, verbunden);
    Umgebung u;
    const QString kaputt = QStringLiteral("Provider=SQLite;Data Source=/nicht/vorhanden/wawi.sqlite");
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), kaputt);
    QString gezeigt;
    if (editor > 0) {
        const QString gut = u.verbindung();
        u.wawi->setVerbindungsEditor([&, editor, gut](QString& v, const QString&) {
            gezeigt = v;
            v = gut;
            return editor == 2;
        });
    }
    const auto e = u.wawi->ProgrammChange(1, 3);
    QCOMPARE(e == WaWiAuswahl::Ergebnis::Verbunden, verbunden);
    if (editor > 0)
        QCOMPARE(gezeigt, kaputt);
    RegistryWechsel w(torvik);
    if (verbunden) {
        QVERIFY(u.log.meldungen.isEmpty());
        QCOMPARE(EinstellungLesen(QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung")), u.verbindung());
    } else {
        QCOMPARE(e, WaWiAuswahl::Ergebnis::Beenden);
        QCOMPARE(u.log.meldungen, QStringList{QStringLiteral("Keine Verbindung zur Warenwirtschaft!")});
        QCOMPARE(u.wawi->tag(), -99);
        QCOMPARE(EinstellungLesen(QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung")), kaputt);
    }
}

void TstWaWiAuswahl::mandantentabelleFehlt()
{
    Umgebung u;
    QTemporaryDir leer;
    const QString verbindung = QStringLiteral("Provider=SQLite;Data Source=%1;User ID=fibu;Password=geheim")
                                   .arg(leer.filePath(QStringLiteral("leer.sqlite")));
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), verbindung);
    QCOMPARE(u.wawi->ProgrammChange(1, 3), WaWiAuswahl::Ergebnis::Beenden);
    QCOMPARE(u.log.meldungen.size(), 1);
    const QString m = u.log.meldungen.first();
    QVERIFY2(m.startsWith(QStringLiteral("Mandantendatenbank könnte nicht geöffnet werden!\rDatenverzeichnis: Provider=SQLite;")), qPrintable(m));
    QVERIFY2(!m.contains(QStringLiteral("geheim")), qPrintable(m));
    QVERIFY(m.endsWith(QStringLiteral("\rTempverzeichnis:  ") + einstellungen().TempPfad
                       + QStringLiteral("torv/\rRegpath: Software\\Qem-Software\\Qem-Torvik")));
    QCOMPARE(AktuellerRegistrySchluessel(), ProgrammRegistrySchluessel);
}

void TstWaWiAuswahl::unbekannterMandant()
{
    Umgebung u;
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), u.verbindung());
    einstellungen().Aktiv_Mandant = 7;
    QCOMPARE(u.wawi->ProgrammChange(1, 3), WaWiAuswahl::Ergebnis::Verbunden);
    QCOMPARE(einstellungen().Aktiv_Mandant, 7);
    QCOMPARE(u.wawi->ansicht().mandantIndex, -1);
    // No other client's man.ini was loaded for it.
    QCOMPARE(einstellungen().Versand_MWST, 0);
    QVERIFY(!QFile::exists(ManIniPfad()));
}

void TstWaWiAuswahl::manIniJeMandant()
{
    Umgebung u;
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), u.verbindung());
    einstellungen().Aktiv_Mandant = 1;
    QCOMPARE(u.wawi->ProgrammChange(1, 3), WaWiAuswahl::Ergebnis::Verbunden);
    const Einstellungen& e = einstellungen();
    QCOMPARE(e.Versand_MWST, 1);
    QCOMPARE(e.E_FreiUmrech1, 1.0);  // 0 in the client's text
    QVERIFY(e.Frei1Multi);
    QVERIFY(!e.E_ZBericht_FIBU);
    QFile ini(ManIniPfad());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("E_FreiUmrech1=0"));
    ini.close();

    // The dialog picks the second client: its keys replace, absent keys keep their values.
    u.wawi->mandantGewaehlt(1);
    QCOMPARE(e.Aktiv_Mandant, 2);
    QCOMPARE(e.Versand_MWST, 2);
    QVERIFY(e.E_ZBericht_FIBU);
    QVERIFY(e.Frei1Multi);
    QCOMPARE(e.E_FreiUmrech1, 1.0);
    QCOMPARE(u.wawi->ansicht().mandantIndex, 1);
}

void TstWaWiAuswahl::anderesProduktWaehltSeinenMandanten()
{
    Umgebung u;
    const QString pellix = QStringLiteral("Software\\Qem-Software\\Qem-Pellix");
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), u.verbindung());
    Umgebung::setze(pellix, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), u.verbindung());
    Umgebung::setze(pellix, QStringLiteral("Mandant"), QStringLiteral("Aktiv"), QStringLiteral("2"));
    einstellungen().Aktiv_Mandant = 1;
    QCOMPARE(u.wawi->formShow(), WaWiAuswahl::Ergebnis::Verbunden);
    QCOMPARE(u.wawi->ansicht().programmIndex, 3);
    QCOMPARE(u.wawi->programmGewaehlt(2), WaWiAuswahl::Ergebnis::Verbunden);
    QCOMPARE(einstellungen().Qem_Programm, 2);
    QCOMPARE(einstellungen().Aktiv_Mandant, 2);
    QCOMPARE(u.wawi->ansicht().mandantIndex, 1);
}

void TstWaWiAuswahl::manIniWiederholungen()
{
    Umgebung u;
    Umgebung::setze(torvik, QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"), u.verbindung());
    einstellungen().Aktiv_Mandant = 1;
    QCOMPARE(u.wawi->ProgrammChange(1, 3), WaWiAuswahl::Ergebnis::Verbunden);
    QCOMPARE(einstellungen().Versand_MWST, 1);
    // The client row can no longer be read: after the tries the file left from before is read.
    QFile ini(ManIniPfad());
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write("[MANDANT]\r\nVersand_MWST=5\r\n");
    ini.close();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("drop"));
        db.setDatabaseName(u.datei());
        db.open();
        QSqlQuery(db).exec(QStringLiteral("DROP TABLE Mandant"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("drop"));
    QVERIFY(!u.wawi->Mandant_CFG_Load());
    QCOMPARE(einstellungen().Versand_MWST, 5);
}

QTEST_GUILESS_MAIN(TstWaWiAuswahl)
#include "tst_wawiauswahl.moc"
