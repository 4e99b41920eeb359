#include "recordingfeedback.h"
#include "store/einstellungen.h"
#include "store/inidatei.h"
#include "store/lokaledatenbank.h"
#include "store/registry.h"
#include "store/strukturcheck.h"
#include "testsupport.h"

#include <QSqlQuery>
#include <QtTest>

namespace {

void schreiben(const QString& pfad, const QByteArray& inhalt)
{
    QFile f(pfad);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(inhalt);
}

}  // namespace

class TstEinstellungen : public QObject {
    Q_OBJECT
private slots:
    void init() { qputenv("TMPDIR", tmp_.path().toLocal8Bit()); }

    void pathsFromProgramDirectory()
    {
        testsupport::TempProgramDir dir;
        PfadeSetzen();
        const Einstellungen& e = einstellungen();
        QCOMPARE(e.ProgrammPfad, dir.path() + QStringLiteral("/"));
        QCOMPARE(e.DatenPfad, dir.path() + QStringLiteral("/DateVDaten/"));
        QCOMPARE(e.VorlagenPfad, dir.path() + QStringLiteral("/DateVdb/"));
        QCOMPARE(e.StartdbPfad, dir.path() + QStringLiteral("/startdb/"));
        QVERIFY(e.TempPfad.endsWith(QStringLiteral("/QemDateV/")));
        QVERIFY(QDir(e.TempPfad).exists());
        QVERIFY(TempPfadAus(QString()).endsWith(QStringLiteral("QemTEMP/QemDateV/")));
    }

    // Values with commas, "=", quotes and umlauts come back as they were written.
    void settingsRoundTrip()
    {
        testsupport::TempProgramDir dir;
        PfadeSetzen();
        Einstellungen& e = einstellungen();
        e.Komma1 = 4;
        e.Aktiv_Mandant = 17;
        e.DateV_Path = QStringLiteral("C:\\Export, \"neu\"");
        e.DateV_Filter = QStringLiteral("(Soll=1200) AND Text='Müller; Söhne'");
        e.DateV_nurNeue = false;
        e.ImportText = QStringLiteral("%K %N=äöüß");
        e.ExportText_ON = true;
        QVERIFY(EinstellungenSpeichern());
        const Einstellungen gespeichert = e;
        Vorgaben();
        QCOMPARE(e.Komma1, 2);
        QCOMPARE(e.DateV_Path, QStringLiteral("A:"));
        QVERIFY(EinstellungenLaden());
        QCOMPARE(e.Komma1, 4);
        QCOMPARE(e.Aktiv_Mandant, 17);
        QCOMPARE(e.DateV_Path, gespeichert.DateV_Path);
        QCOMPARE(e.DateV_Filter, gespeichert.DateV_Filter);
        QCOMPARE(e.DateV_nurNeue, false);
        QCOMPARE(e.ImportText, gespeichert.ImportText);
        QCOMPARE(e.ExportText_ON, true);

        IniDatei ini(dir.filePath(QStringLiteral("QemDatev.ini")));
        QVERIFY(ini.laden());
        QStringList schluessel;
        for (const QString& zeile : ini.sektion(QStringLiteral("Allgemeine_Einstellung")))
            schluessel.append(zeile.section(QLatin1Char('='), 0, 0));
        QCOMPARE(schluessel.join(QLatin1Char(',')),
                 QStringLiteral("Komma1,Qem_Programm,Aktiv_Mandant,DateV_Path,DateV_DFV,DateV_Datennr,DateV_Abrechnr,"
                                "DateV_Stnr,DateV_MandantNr,DateV_Berater,DateV_Filter,DateV_nurNeue,DateV_mitKonten,"
                                "DateV_Kostenstelle1,DateV_Kostenstelle2,ImportText,ImportText_ON,ExportText,"
                                "ExportText_ON,Adresskontn"));
        QVERIFY(ini.text().contains(QStringLiteral("DateV_nurNeue=0\r\n")));
    }

    // Garbage lines are ignored, an integer key holding text keeps its default and is
    // reported, a file in Windows-1252 is read.
    void brokenSettingsFile()
    {
        testsupport::TempProgramDir dir;
        PfadeSetzen();
        schreiben(dir.filePath(QStringLiteral("QemDatev.ini")),
                  "\x01\x02 M\xfcll\r\n[Allgemeine_Einstellung]\r\n=ohne Name\r\nKomma1=zwei\r\nAdresskontn=7\r\n"
                  "DateV_Berater=J\xfcrgen\r\nnur Text\r\n[Andere]\r\nKomma1=9\r\n");
        RecordingFeedback fb;
        QVERIFY(!EinstellungenLaden(&fb));
        QCOMPARE(einstellungen().Komma1, 2);
        QCOMPARE(einstellungen().Adresskontn, 7);
        QCOMPARE(einstellungen().DateV_Berater, QStringLiteral("Jürgen"));
        QCOMPARE(fb.lines.size(), 1);
        QVERIFY(fb.lines[0].contains(QStringLiteral("Komma1")));
        // Writing keeps the other section and the unknown lines.
        QVERIFY(EinstellungenSpeichern());
        IniDatei ini(dir.filePath(QStringLiteral("QemDatev.ini")));
        QVERIFY(ini.laden());
        QCOMPARE(ini.wert(QStringLiteral("Andere"), QStringLiteral("Komma1")), QStringLiteral("9"));
        QCOMPARE(ini.wert(QStringLiteral("Allgemeine_Einstellung"), QStringLiteral("Komma1")), QStringLiteral("2"));
    }

    void clientSettings()
    {
        testsupport::TempProgramDir dir;
        PfadeSetzen();
        Einstellungen& e = einstellungen();
        e.Frei2Multi = true;
        QVERIFY(MandantEinstellungenLaden(QStringLiteral("[MANDANT]\r\nFrei1Multi=ja\r\nFrei2Multi=\r\nVersand_MWST=2\r\n"
                                                         "E_FreiUmrech1=2,5\r\nE_FreiUmrech2=-1\r\nEuroumstell=0\r\n")));
        QCOMPARE(e.Frei1Multi, true);
        QCOMPARE(e.Frei2Multi, true);
        QCOMPARE(e.Versand_MWST, 2);
        QCOMPARE(e.E_FreiUmrech1, 2.5);
        QCOMPARE(e.E_FreiUmrech2, 1.0);
        QCOMPARE(e.E_FreiUmrech3, 1.0);
        QCOMPARE(e.Euroumstell, false);
    }

    void registryValues()
    {
        testsupport::TempProgramDir dir;
        const QString wert = QStringLiteral("Provider=MSDASQL.1;Extended Properties=\"DRIVER={X};SERVER=a,b\"");
        QVERIFY(EinstellungSchreiben(QStringLiteral("TVK_Export"), QStringLiteral("Pfad"), wert));
        QCOMPARE(EinstellungLesen(QStringLiteral("TVK_Export"), QStringLiteral("Pfad")), wert);
        QCOMPARE(EinstellungLesen(QStringLiteral("TVK_Export"), QStringLiteral("fehlt")), QString());
        QCOMPARE(EinstellungLesenVorgabe(QStringLiteral("TVK_Export"), QStringLiteral("fehlt"), QStringLiteral("v")),
                 QStringLiteral("v"));
        {
            RegistryWechsel produkt(QStringLiteral("Software\\Qem-Software\\Torvik\\Filiale2"));
            QVERIFY(RegSchreiben(QStringLiteral("Mandant"), QStringLiteral("Aktiv"), QStringLiteral("3")));
            QCOMPARE(EinstellungLesen(QStringLiteral("TVK_Export"), QStringLiteral("Pfad")), QString());
        }
        QCOMPARE(AktuellerRegistrySchluessel(), ProgrammRegistrySchluessel);
        RegistryWechsel produkt(QStringLiteral("Software\\Qem-Software\\Torvik\\Filiale2"));
        QCOMPARE(RegLesen(QStringLiteral("Mandant"), QStringLiteral("Aktiv")), QStringLiteral("3"));
    }

    void localDatabase()
    {
        testsupport::TempProgramDir dir;
        PfadeSetzen();
        StrukturCheck(nullptr).Check_Version();
        QVERIFY(LokaleDatenbankOeffnen());
        {
            QSqlDatabase db = LokaleDatenbank();
            QCOMPARE(NaechsteNummer(QStringLiteral("Buchungsnummer")), 1);
            QCOMPARE(LokalerTabellenname(QStringLiteral("MWSTEIN.DB")), QStringLiteral("MWSTEIN"));
            QCOMPARE(LokalerTabellenname(QStringLiteral("kotrans.db")), QStringLiteral("KoTrans"));
            QCOMPARE(LokalerTabellenname(QStringLiteral("BUCHUNGEN")), QStringLiteral("Buchungen"));
            QCOMPARE(LokalesSql(QStringLiteral("SELECT * FROM MwStEin.DB WHERE Name='x.DB'")),
                     QStringLiteral("SELECT * FROM MWSTEIN WHERE Name='x.DB'"));
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("INSERT INTO BUCHUNGEN (Buchungsnummer) VALUES (41)")));
            QCOMPARE(q.lastInsertId().toInt(), 1);
            QVERIFY(q.exec(QStringLiteral("INSERT INTO buchungen (Buchungsnummer) VALUES (42)")));
            QCOMPARE(NaechsteNummer(QStringLiteral("Buchungsnummer")), 43);
            QCOMPARE(NaechsteNummer(QStringLiteral("1); DROP TABLE Buchungen; --")), 1);
            QVERIFY(q.exec(QStringLiteral("DELETE FROM Buchungen WHERE BuchNr=2")));
            QVERIFY(q.exec(QStringLiteral("INSERT INTO Buchungen (Buchungsnummer) VALUES (43)")));
            QCOMPARE(q.lastInsertId().toInt(), 3);
            QVERIFY(q.exec(QStringLiteral("SELECT Export FROM Buchungen WHERE BuchNr=3")) && q.next());
            QCOMPARE(q.value(0).toBool(), false);
        }
        LokaleDatenbankSchliessen();
    }

private:
    QTemporaryDir tmp_;
};

QTEST_GUILESS_MAIN(TstEinstellungen)
#include "tst_einstellungen.moc"
