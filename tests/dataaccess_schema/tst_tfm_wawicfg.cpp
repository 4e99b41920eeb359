// The product and client dialog and the connection dialog on the offscreen platform.
#include "dataaccess/demodaten.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemtable.h"
#include "dataaccess/wawischema.h"
#include "shell/tfm_wawicfg.h"
#include "shell/tverbindungdialog.h"
#include "store/einstellungen.h"
#include "store/registry.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

class TstTfmWaWiCfg : public QObject {
    Q_OBJECT

private slots:
    void produktUndMandant_data();
    void produktUndMandant();
    void verbindungsdialog();
};

void TstTfmWaWiCfg::produktUndMandant_data()
{
    QTest::addColumn<int>("programm");
    QTest::addColumn<int>("programmIndex");
    QTest::newRow("stavro") << 3 << 3;
    QTest::newRow("kind-9") << 9 << -1;
}

void TstTfmWaWiCfg::produktUndMandant()
{
    QFETCH(int, programm);
    QFETCH(int, programmIndex);
    QTemporaryDir tmp;
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    testsupport::TempProgramDir dir(false);
    einstellungen() = Einstellungen();
    PfadeSetzen();
    const QString datei = dir.filePath(QStringLiteral("wawi.sqlite"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(datei);
        QVERIFY(db.open());
        QVERIFY(WawiSchema::create(db) && DemoDaten::fill(db));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    {
        RegistryWechsel w(QStringLiteral("Software\\Qem-Software\\Qem-Torvik"));
        EinstellungSchreiben(QStringLiteral("Verzeichnis"), QStringLiteral("SQLVerbindung"),
                             WawiSchema::sqliteConnectionString(datei));
    }
    einstellungen().Qem_Programm = programm;
    einstellungen().Aktiv_Mandant = 1;

    TQemConnection conn;
    TQemTable tbl;
    tbl.SetConnection(&conn);
    tbl.SetTableName(QStringLiteral("Mandant.db"));
    {
        TFM_WaWiCFG dlg(nullptr, conn, tbl);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("Warenwirtschaft - Einstellungen"));
        QCOMPARE(dlg.CB_Programm()->count(), 6);
        QCOMPARE(dlg.CB_Programm()->itemText(5), QStringLiteral("Sonstige Qem-WAWI SQL"));
        QCOMPARE(dlg.CB_Programm()->toolTip(), QStringLiteral("welches Programm benutzen Sie ?"));
        QCOMPARE(dlg.CB_Mandant()->toolTip(), QStringLiteral("welche Firma soll abgefragt werden ?"));
        QCOMPARE(dlg.CB_Programm()->currentIndex(), programmIndex);
        QCOMPARE(einstellungen().Qem_Programm, programmIndex);
        QCOMPARE(dlg.CB_Mandant()->count(), 2);
        QCOMPARE(dlg.CB_Mandant()->currentIndex(), 0);
        QCOMPARE(dlg.CB_Mandant()->itemText(1), QStringLiteral("Schmidt & Partner Handels KG"));
        // The user picks the second client: it takes effect at once.
        dlg.CB_Mandant()->setCurrentIndex(1);
        emit dlg.CB_Mandant()->activated(1);
        QCOMPARE(einstellungen().Aktiv_Mandant, 2);
        QCOMPARE(einstellungen().Versand_MWST, 2);
        dlg.accept();
    }
    tbl.Close();
    conn.Close();
    qunsetenv("TMPDIR");
}

void TstTfmWaWiCfg::verbindungsdialog()
{
    TVerbindungDialog d(nullptr,
                        QStringLiteral("Provider=MSDASQL.1;Extended Properties=\"DRIVER={MariaDB ODBC 3.1 Driver};"
                                       "SERVER=db.local;PORT=3307;DATABASE=wawi;UID=fibu;PWD=g3h;\""),
                        QStringLiteral("Zugriff verweigert"));
    QCOMPARE(d.windowTitle(), QStringLiteral("Verbindung zur Warenwirtschaft"));
    const Verbindungstext v = d.felder();
    QCOMPARE(v.art, Verbindungstext::Art::MariaDb);
    QCOMPARE(v.host, QStringLiteral("db.local"));
    QCOMPARE(v.port, 3307);
    QCOMPARE(v.kennwort, QStringLiteral("g3h"));
    auto* art = d.findChild<QComboBox*>();
    QVERIFY(art);
    art->setCurrentIndex(int(Verbindungstext::Art::SQLite));
    QVERIFY(!d.findChild<QSpinBox*>()->isEnabled());
    QVERIFY(d.verbindung().startsWith(QStringLiteral("Provider=SQLite;Data Source=wawi")));
}

QTEST_MAIN(TstTfmWaWiCfg)
#include "tst_tfm_wawicfg.moc"
