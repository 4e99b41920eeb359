// The unattended start as a whole, with the steps of the other areas replaced.
#include "shell/konsolenfeedback.h"
#include "shell/unbeaufsichtigterstart.h"
#include "store/einstellungen.h"
#include "store/feedback.h"

#include "testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QtTest>

namespace {

struct Aufrufe {
    int warenwirtschaft = 0;
    int import = 0;
    int ausgabe = 0;
    QString konfiguration;
};

Programmstart::Schritte schritte(Aufrufe& aufrufe, bool wawi, bool import, bool ausgabe)
{
    return {
        [&aufrufe, wawi](TQemConnection&, Feedback& feedback) {
            ++aufrufe.warenwirtschaft;
            aufrufe.konfiguration = einstellungen().RegistryKonfiguration;
            if (!wawi)
                feedback.message(QStringLiteral("Keine Verbindung zur Warenwirtschaft!"), MessageKind::Error);
            return wawi;
        },
        [&aufrufe, import](TQemConnection&, Feedback&) { ++aufrufe.import; return import; },
        [&aufrufe, ausgabe](TQemConnection&, Feedback&) { ++aufrufe.ausgabe; return ausgabe; },
    };
}

}  // namespace

class TstUnbeaufsichtigt : public QObject {
    Q_OBJECT
private slots:
    void lauf_data()
    {
        QTest::addColumn<QStringList>("parameter");
        QTest::addColumn<bool>("wawi");
        QTest::addColumn<bool>("import");
        QTest::addColumn<bool>("ausgabe");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("importe");
        QTest::addColumn<int>("ausgaben");

        QTest::newRow("-AUS succeeds") << QStringList{"-AUS"} << true << true << true << 0 << 0 << 1;
        QTest::newRow("-in succeeds") << QStringList{"-in"} << true << true << true << 0 << 1 << 0;
        QTest::newRow("-INAUS succeeds") << QStringList{"-INAUS"} << true << true << true << 0 << 1 << 1;
        QTest::newRow("export fails") << QStringList{"-AUS"} << true << true << false << 1 << 0 << 1;
        // Errors of the import do not keep the export from running, but the status tells.
        QTest::newRow("import fails, export runs") << QStringList{"-INAUS"} << true << false << true
                                                   << 1 << 1 << 1;
        QTest::newRow("no merchandise database") << QStringList{"Filiale2", "-AUS"} << false << true
                                                 << true << 1 << 0 << 0;
        QTest::newRow("unknown option") << QStringList{"-EXPORT"} << true << true << true << 1 << 0 << 0;
    }

    void lauf()
    {
        QFETCH(QStringList, parameter);
        QFETCH(bool, wawi);
        QFETCH(bool, import);
        QFETCH(bool, ausgabe);
        QFETCH(int, status);
        QFETCH(int, importe);
        QFETCH(int, ausgaben);

        testsupport::TempProgramDir programm;
        QBuffer konsole;
        konsole.open(QIODevice::WriteOnly);
        KonsolenFeedback feedback(&konsole);
        Aufrufe aufrufe;
        const Kommandozeile zeile = Kommandozeile::auswerten(parameter);

        QCOMPARE(unbeaufsichtigtStarten(zeile, feedback, schritte(aufrufe, wawi, import, ausgabe)), status);
        QCOMPARE(aufrufe.warenwirtschaft, 1);
        QCOMPARE(aufrufe.import, importe);
        QCOMPARE(aufrufe.ausgabe, ausgaben);
        QCOMPARE(aufrufe.konfiguration, zeile.konfiguration());
        // Settings are written at the end also after a failure.
        QVERIFY(QFile::exists(programm.filePath(QStringLiteral("QemDatev.ini"))));
        if (zeile.lauf() == Kommandozeile::Lauf::Unbekannt)
            QVERIFY(konsole.data().contains("Unbekannte Option: -EXPORT"));
    }

    // A step that reports an error but claims success still fails the run.
    void reportedErrorFailsTheRun()
    {
        testsupport::TempProgramDir programm;
        QBuffer konsole;
        konsole.open(QIODevice::WriteOnly);
        KonsolenFeedback feedback(&konsole);
        Aufrufe aufrufe;
        Programmstart::Schritte s = schritte(aufrufe, true, true, true);
        s.ausgabe = [](TQemConnection&, Feedback& f) {
            f.message(QStringLiteral("Während des Exports ist ein Fehler aufgetreten!"), MessageKind::Error);
            return true;
        };
        QCOMPARE(unbeaufsichtigtStarten(Kommandozeile::auswerten({"-AUS"}), feedback, s), 1);
        QVERIFY(konsole.data().contains("Fehler: Während des Exports ist ein Fehler aufgetreten!"));
    }

    // Without templates the structure check ends the program before the settings are read:
    // nothing else runs and QemDatev.ini is not overwritten with defaults.
    void structureCheckEndsTheStart()
    {
        testsupport::TempProgramDir programm(false);
        QFile ini(programm.filePath(QStringLiteral("QemDatev.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Allgemeine_Einstellung]\r\nDateV_Berater=Steuerbüro\r\n");
        ini.close();

        QBuffer konsole;
        konsole.open(QIODevice::WriteOnly);
        KonsolenFeedback feedback(&konsole);
        Aufrufe aufrufe;
        QCOMPARE(unbeaufsichtigtStarten(Kommandozeile::auswerten({"-AUS"}), feedback,
                                        schritte(aufrufe, true, true, true)), 1);
        QCOMPARE(aufrufe.warenwirtschaft, 0);
        QCOMPARE(aufrufe.ausgabe, 0);
        QVERIFY(konsole.data().contains("Bitte installieren Sie das Produkt nochmals!"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QCOMPARE(ini.readAll(), QByteArray("[Allgemeine_Einstellung]\r\nDateV_Berater=Steuerbüro\r\n"));
    }
};

QTEST_GUILESS_MAIN(TstUnbeaufsichtigt)
#include "tst_unbeaufsichtigt.moc"
