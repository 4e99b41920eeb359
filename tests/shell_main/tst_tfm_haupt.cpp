#include "shell/tfm_haupt.h"
#include "store/feedback.h"

#include "testsupport.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolBox>
#include <QToolButton>
#include <QtTest>

namespace {

// Takes every message without blocking, so the start-up runs through in the test.
class Mitschrift : public Feedback {
public:
    void message(const QString& text, MessageKind) override { meldungen << text; }
    QStringList meldungen;
};

struct Aufrufe {
    int ausgabe = 0;
};

TFM_Haupt::Optionen optionen(Mitschrift& mitschrift, Aufrufe& aufrufe, bool wawi,
                             const QStringList& parameter = {})
{
    TFM_Haupt::Optionen o;
    o.kommandozeile = Kommandozeile::auswerten(parameter);
    o.feedback = &mitschrift;
    o.schritte.warenwirtschaft = [wawi](TQemConnection&, Feedback&) { return wawi; };
    o.schritte.import = [](TQemConnection&, Feedback&) { return true; };
    o.schritte.ausgabe = [&aufrufe](TQemConnection&, Feedback&) { ++aufrufe.ausgabe; return true; };
    return o;
}

bool gestartet(TFM_Haupt& haupt)
{
    QSignalSpy spy(&haupt, &TFM_Haupt::gestartet);
    haupt.show();
    return spy.wait(20000);
}

// Answers the next message box with the button of the given text; returns its text via *text.
void antworten(const QString& knopf, QString* text)
{
    QTimer::singleShot(0, [knopf, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            antworten(knopf, text);
            return;
        }
        *text = box->text();
        for (QAbstractButton* b : box->buttons()) {
            if (b->text() == knopf)
                b->click();
        }
    });
}

QString menueText(const QMenu* menue)
{
    QStringList teile;
    for (const QAction* a : menue->actions())
        teile << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return teile.join(QLatin1Char('|'));
}

}  // namespace

class TstTFMHaupt : public QObject {
    Q_OBJECT
private slots:
    void startUp()
    {
        testsupport::TempProgramDir programm;
        Mitschrift mitschrift;
        Aufrufe aufrufe;
        TFM_Haupt haupt(optionen(mitschrift, aufrufe, true));
        QCOMPARE(haupt.windowTitle(), QStringLiteral("Fibu Schnittstelle"));
        QVERIFY(gestartet(haupt));

        QVERIFY(QRegularExpression(QStringLiteral("^Qem-DateV Schnittstelle 2018 \\S+ SQL-Connect$"))
                    .match(haupt.windowTitle()).hasMatch());
        QCOMPARE(haupt.fensterTag(), 0);
        QVERIFY(haupt.journal());
        QVERIFY(haupt.journal()->isVisible());
        QCOMPARE(haupt.navigation().itemText(haupt.navigation().currentIndex()), QStringLiteral("Import"));
        QVERIFY(QFile::exists(programm.filePath(QStringLiteral("DateVDaten/version.xxl"))));
        QCOMPARE(aufrufe.ausgabe, 0);  // nothing unattended
        QVERIFY(!QFile::exists(programm.filePath(QStringLiteral("QemDatev.ini"))));
    }

    void actions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hinweis");
        QTest::newRow("Ende") << "Action_Ende" << "&Beenden" << "beendet das Programm";
        QTest::newRow("WaWiChange") << "Action_WaWiChange" << "Warenwirtschaft &auswählen" << "";
        QTest::newRow("BuchungenVHolen") << "Action_BuchungenVHolen" << "Erlöse &einlesen"
                                         << "einlesen der Verkaufszahlen (Erlöse)";
        QTest::newRow("BuchungenEHolen") << "Action_BuchungenEHolen" << "Eingangsrechnungen &einlesen"
                                         << "einlesen der Einkaufszahlen (Kosten)";
        QTest::newRow("KassenbuchHolen") << "Action_KassenbuchHolen" << "Kassenbuch &einlesen"
                                         << "einlesen des Kassenbuchs";
        QTest::newRow("MwStEin") << "Action_MwStEin" << "MwSt-Einstellungen" << "";
        QTest::newRow("Tans") << "Action_Tans" << "Lieferschwellen Translator"
                              << "Ersetzte Konten, wenn Lieferschwellen aktiv sind";
        QTest::newRow("Kostenstelle") << "Action_Kostenstelle" << "Kostenstelle einstellen"
                                      << "eine feste Kostenstelle ";
        QTest::newRow("DateVAusgabe") << "Action_DateVAusgabe" << "DateV-Ausgabe" << "";
        QTest::newRow("ASCExport") << "Action_ASCExport" << "ASCII Export" << "";
        QTest::newRow("ExcelExport") << "Action_ExcelExport" << "Excelexport" << "Export zu Excel";
        QTest::newRow("WordExport") << "Action_WordExport" << "Wordexport" << "Export zu Word";
        QTest::newRow("Help") << "Action_Help" << "Hilfe" << "Programmhilfe";
    }

    void actions()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, hinweis);
        testsupport::TempProgramDir programm;
        TFM_Haupt haupt;
        const auto* aktion = haupt.findChild<QAction*>(name);
        QVERIFY(aktion);
        QCOMPARE(aktion->text(), text);
        QCOMPARE(aktion->statusTip(), hinweis);
        QVERIFY(aktion->isEnabled());
    }

    void menusAndPanels()
    {
        testsupport::TempProgramDir programm;
        TFM_Haupt haupt;
        const QList<QAction*> oben = haupt.menuBar()->actions();
        QStringList titel;
        for (const QAction* a : oben)
            titel << a->text();
        QCOMPARE(titel, (QStringList{"&Datei", "&Eingabe (Import)", "&Ausgabe (Export)", "&Hilfe"}));
        QCOMPARE(menueText(oben.at(0)->menu()), QStringLiteral("Einstellungen|-|&Beenden"));
        QCOMPARE(menueText(oben.at(0)->menu()->actions().first()->menu()),
                 QStringLiteral("Warenwirtschaft &auswählen|-|MwSt-Einstellungen|-|Kostenstelle einstellen"
                                "|-|Lieferschwellen Translator"));
        QCOMPARE(menueText(oben.at(1)->menu()),
                 QStringLiteral("Erlöse &einlesen|-|Eingangsrechnungen &einlesen|-|Kassenbuch &einlesen"));
        QCOMPARE(menueText(oben.at(2)->menu()),
                 QStringLiteral("DateV-Ausgabe|-|Excelexport|Wordexport|ASCII Export"));
        QCOMPARE(menueText(oben.at(3)->menu()), QStringLiteral("Hilfe|Abfrage (WAWI)|Abfrage (DateV)"));

        QToolBox& navigation = haupt.navigation();
        QStringList panels;
        for (int i = 0; i < navigation.count(); ++i) {
            QStringList knoepfe;
            for (const QToolButton* k : navigation.widget(i)->findChildren<QToolButton*>())
                knoepfe << k->defaultAction()->objectName();
            panels << navigation.itemText(i) + QLatin1Char(':') + knoepfe.join(QLatin1Char(','));
        }
        QCOMPARE(panels, (QStringList{
                             "Einstellungen:Action_Kostenstelle,Action_MwStEin,Action_WaWiChange",
                             "Export:Action_DateVAusgabe,Action_ExcelExport,Action_WordExport,Action_ASCExport",
                             "Import:Action_KassenbuchHolen,Action_BuchungenEHolen,Action_BuchungenVHolen"}));
        QCOMPARE(navigation.currentIndex(), 2);
    }

    // Cancel keeps the program running and the settings unwritten; OK ends it and writes them.
    void closeQuestion()
    {
        testsupport::TempProgramDir programm;
        const QString ini = programm.filePath(QStringLiteral("QemDatev.ini"));
        Mitschrift mitschrift;
        Aufrufe aufrufe;
        TFM_Haupt haupt(optionen(mitschrift, aufrufe, true));
        QVERIFY(gestartet(haupt));

        QString frage;
        antworten(QStringLiteral("Abbrechen"), &frage);
        QVERIFY(!haupt.close());
        QCOMPARE(frage, QStringLiteral("Möchten Sie das Programm beenden?"));
        QVERIFY(haupt.isVisible());
        QVERIFY(!QFile::exists(ini));

        antworten(QStringLiteral("OK"), &frage);
        QVERIFY(haupt.close());
        QVERIFY(!haupt.isVisible());
        QVERIFY(QFile::exists(ini));
    }

    // Window tag -99: the window closes by itself, without a question, and writes the settings.
    void merchandiseDatabaseUnreachable()
    {
        testsupport::TempProgramDir programm;
        Mitschrift mitschrift;
        Aufrufe aufrufe;
        TFM_Haupt haupt(optionen(mitschrift, aufrufe, false));
        QVERIFY(gestartet(haupt));
        QCOMPARE(haupt.fensterTag(), -99);
        QVERIFY(!haupt.isVisible());
        QCOMPARE(haupt.ergebnis(), 1);
        QVERIFY(QFile::exists(programm.filePath(QStringLiteral("QemDatev.ini"))));
    }

    // A window given an unattended option runs the step and closes itself about 3 s later.
    void unattendedWindowClosesItself()
    {
        testsupport::TempProgramDir programm;
        Mitschrift mitschrift;
        Aufrufe aufrufe;
        TFM_Haupt haupt(optionen(mitschrift, aufrufe, true, {"-aus"}));
        QVERIFY(gestartet(haupt));
        QCOMPARE(haupt.fensterTag(), 1);
        QCOMPARE(aufrufe.ausgabe, 1);
        QVERIFY(haupt.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!haupt.isVisible(), 15000);
        QCOMPARE(haupt.ergebnis(), 0);
    }
};

QTEST_MAIN(TstTFMHaupt)
#include "tst_tfm_haupt.moc"
