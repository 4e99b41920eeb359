#include "shell/konsolenfeedback.h"
#include "shell/tfehler.h"
#include "shell/twarten.h"
#include "shell/widgetfeedback.h"

#include <QBuffer>
#include <QMainWindow>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TstWartenFehler : public QObject {
    Q_OBJECT
private slots:
    void wartenCancelFlag()
    {
        TWarten warten;
        QCOMPARE(warten.windowTitle(), QStringLiteral("bitte warten ...."));
        warten.abbrechen();
        warten.setFortschritt(70);
        warten.setAktion(QStringLiteral("3 von 10"));
        warten.show();
        QVERIFY(!warten.abgebrochen());  // showing clears the flag and the progress
        QCOMPARE(warten.fortschritt(), 0);
        QCOMPARE(warten.aktion(), QStringLiteral("3 von 10"));  // texts stay until set again

        auto* knopf = warten.findChild<QPushButton*>();
        QVERIFY(knopf);
        QCOMPARE(knopf->text(), QStringLiteral("&Abbrechen"));
        QTest::mouseClick(knopf, Qt::LeftButton);
        QVERIFY(warten.abgebrochen());

        warten.hide();  // a run shows the window anew; showing a shown window changes nothing
        warten.show();
        QVERIFY(!warten.abgebrochen());
        warten.animationZeigen(TWarten::Animation::Kopieren);
        QVERIFY(warten.animationSichtbar());
        warten.close();  // closing stops the animation and sets the flag
        QVERIFY(warten.abgebrochen());
        QVERIFY(!warten.animationSichtbar());
    }

    void fehlerListeUndDruck()
    {
        TFehler fehler;
        QCOMPARE(fehler.windowTitle(), QStringLiteral("Hinweisfenster"));
        QCOMPARE(fehler.zeilen(), QStringList{QStringLiteral("Fehlerliste:")});
        fehler.neuerLauf(QStringLiteral("Daten-Import:"));
        fehler.zeileAnhaengen(QStringLiteral("Fehler beim Importieren Auftragsnr:4711"));
        QCOMPARE(fehler.zeilen(), (QStringList{"Daten-Import:", "==============",
                                               "Fehler beim Importieren Auftragsnr:4711"}));
        QCOMPARE(fehler.druckzeilen().at(2),
                 QStringLiteral("     Fehler beim Importieren Auftragsnr:4711"));
        QCOMPARE(fehler.druckenAction()->text(), QStringLiteral("Drucken"));
        QCOMPARE(fehler.druckenAction()->toolTip(), QStringLiteral("Ausdruck des Fehlerberichts"));

        // Enough lines for a second page.
        for (int i = 0; i < 150; ++i)
            fehler.zeileAnhaengen(QStringLiteral("Zeile %1").arg(i));
        QTemporaryDir dir;
        QPrinter drucker;
        drucker.setOutputFormat(QPrinter::PdfFormat);
        drucker.setOutputFileName(dir.filePath(QStringLiteral("fehler.pdf")));
        fehler.drucken(drucker);
        QFile pdf(drucker.outputFileName());
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().count("/Type /Page\n") + pdf.size() > 0);
    }

    // A second run shows only its own lines; the list opens only when lines came in.
    void widgetFeedbackUsesMainWindowPair()
    {
        QMainWindow haupt;
        auto* warten = new TWarten(&haupt);
        auto* fehler = new TFehler(&haupt);
        auto* dialog = new QWidget(&haupt, Qt::Dialog);

        {
            WidgetFeedback feedback(dialog);
            QCOMPARE(&feedback.warten(), warten);
            QCOMPARE(&feedback.fehler(), fehler);
            feedback.start(QStringLiteral("Daten importieren ...."), QStringLiteral("Daten-Import:"));
            QVERIFY(warten->isVisible());
            QCOMPARE(warten->ueberschrift(), QStringLiteral("Daten importieren ...."));
            feedback.setStatus(QStringLiteral("Auftrag 1"));
            feedback.setProgress(1, 4);
            QCOMPARE(warten->aktion(), QStringLiteral("Auftrag 1"));
            QCOMPARE(warten->fortschritt(), 25);
            QVERIFY(!feedback.cancelled());
            warten->abbrechen();
            QVERIFY(feedback.cancelled());
            feedback.addMessage(QStringLiteral("erster Lauf"));
            feedback.finish();
            QVERIFY(!warten->isVisible());
            QVERIFY(fehler->isVisible());
        }
        fehler->close();
        {
            WidgetFeedback feedback(dialog);
            feedback.start(QStringLiteral("Daten importieren ...."), QStringLiteral("Daten-Import:"));
            QVERIFY(!feedback.cancelled());
            feedback.finish();
            QVERIFY(!fehler->isVisible());  // no problems, no list
        }
        QCOMPARE(fehler->zeilen(), (QStringList{"Daten-Import:", "=============="}));
    }

    void widgetFeedbackWithoutMainWindow()
    {
        QWidget allein;
        WidgetFeedback feedback(&allein);
        feedback.start(QStringLiteral("Export"));
        QVERIFY(feedback.warten().isVisible());
    }  // the destructor closes the wait window it made

    void konsoleAsksNothingAndRemembersErrors()
    {
        QBuffer ausgabe;
        ausgabe.open(QIODevice::WriteOnly);
        KonsolenFeedback feedback(&ausgabe);
        feedback.message(QStringLiteral("Die Daten werden exportiert."));
        QVERIFY(!feedback.fehlerAufgetreten());
        feedback.message(QStringLiteral("Es wurde keine Warenwirtschaft gefunden:\rRegpath: X"),
                         MessageKind::Warning);
        QVERIFY(!feedback.fehlerAufgetreten());
        QCOMPARE(feedback.ask(QStringLiteral("Weiter?"), true), true);
        QCOMPARE(feedback.ask(QStringLiteral("Löschen?"), false), false);
        feedback.addMessage(QStringLiteral("Fehler beim Importieren Auftragsnr:7"));
        feedback.message(QStringLiteral("Keine Verbindung zur Warenwirtschaft!"), MessageKind::Error);
        QVERIFY(feedback.fehlerAufgetreten());
        QVERIFY(!feedback.cancelled());

        QCOMPARE(QString::fromUtf8(ausgabe.data()),
                 QStringLiteral("Die Daten werden exportiert.\n"
                                "Warnung: Es wurde keine Warenwirtschaft gefunden:\nRegpath: X\n"
                                "Weiter? -> Ja (ohne Rückfrage)\n"
                                "Löschen? -> Nein (ohne Rückfrage)\n"
                                "Fehler beim Importieren Auftragsnr:7\n"
                                "Fehler: Keine Verbindung zur Warenwirtschaft!\n"));
    }

    // Status lines are printed at most once a second, so a long run does not flood the log.
    void konsoleThrottlesStatus()
    {
        QBuffer ausgabe;
        ausgabe.open(QIODevice::WriteOnly);
        KonsolenFeedback feedback(&ausgabe);
        feedback.setProgress(1, 3);
        for (int i = 1; i <= 1000; ++i)
            feedback.setStatus(QStringLiteral("%1 von 1000").arg(i));
        QCOMPARE(QString::fromUtf8(ausgabe.data()), QStringLiteral("1 von 1000 (33 %)\n"));
    }
};

QTEST_MAIN(TstWartenFehler)
#include "tst_warten_fehler.moc"
