#include "store/hilfsfunktionen.h"

#include <QSqlField>
#include <QtTest>

class TstHilfsfunktionen : public QObject {
    Q_OBJECT
private slots:
    void textZuZahl_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("zahl");
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("letters") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading letter") << "x12" << 0.0;
        QTest::newRow("trailing letters") << "12abc" << 12.0;
        QTest::newRow("point then letter") << "1.5x" << 15.0;
        QTest::newRow("comma with blanks") << "  7,50 " << 7.5;
        QTest::newRow("decimal comma") << "12,5" << 12.5;
        QTest::newRow("point") << "12.5" << 12.5;
        QTest::newRow("thousands point") << "1.234,56" << 1234.56;
        QTest::newRow("two thousands points") << "1.234.567,89" << 1234567.89;
        QTest::newRow("negative") << "-3,25" << -3.25;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("zero with comma") << "0,00" << 0.0;
    }
    void textZuZahl()
    {
        QFETCH(QString, text);
        QFETCH(double, zahl);
        QCOMPARE(TextZuZahl(text), zahl);
    }

    void ganzzahlUndRunden()
    {
        QCOMPARE(TextZuGanzzahl(QStringLiteral("-7,9")), -7);
        QCOMPARE(TextZuGanzzahl(QStringLiteral("")), 0);
        QCOMPARE(Runden(2, 2.345), 2.35);
        QCOMPARE(Runden(2, -2.345), -2.34);
        QCOMPARE(Runden(0, 2.5), 3.0);   // 2.505 rounds up
        QCOMPARE(Runden(0, 0.5), 1.0);     // 0.505: the 0.005 is added before rounding
        QCOMPARE(ZahlZuText(2, 1234.5), QStringLiteral("1234,50"));
        QCOMPARE(ZahlZuText(0, -3.0), QStringLiteral("-3"));
        QCOMPARE(Maximum(3, -4), 3);
    }

    void texte()
    {
        QCOMPARE(NurZiffern(QStringLiteral(" DE 12-34/5 ")), QStringLiteral("12345"));
        QCOMPARE(NurZiffern(QString(198, QLatin1Char('x')) + QStringLiteral("12")), QStringLiteral("1"));
        QCOMPARE(NurBuchstabenZiffern(QStringLiteral("Müller & Co. 7")), QStringLiteral("MllerCo7"));
        QCOMPARE(GrossMitUmlaut(QStringLiteral("Straße äöü")), QStringLiteral("STRAßE ÄÖÜ"));
        QCOMPARE(ErsetzeAlle(QStringLiteral("aaa"), QStringLiteral("aa"), QStringLiteral("a")), QStringLiteral("a"));
        QCOMPARE(ErsetzeAlle(QStringLiteral("a;;;b"), QStringLiteral(";;"), QStringLiteral(";")), QStringLiteral("a;b"));
        QCOMPARE(ErsetzeAlle(QStringLiteral("x-y"), QStringLiteral("-"), QString()), QStringLiteral("xy"));
        QCOMPARE(ErsetzeAlle(QStringLiteral("ab"), QStringLiteral("a"), QStringLiteral("aa")), QStringLiteral("aab"));
        QCOMPARE(PosAb(0, QStringLiteral("abcabc"), QStringLiteral("bc")), 2);
        QCOMPARE(PosAb(3, QStringLiteral("abcabc"), QStringLiteral("bc")), 5);
        QCOMPARE(PosAb(6, QStringLiteral("abcabc"), QStringLiteral("bc")), 0);
        QCOMPARE(Links(QStringLiteral("abc"), 2) + Rechts(QStringLiteral("abc"), 1) + AbPosition(QStringLiteral("abc"), 3),
                 QStringLiteral("abcc"));
        QCOMPARE(Links(QStringLiteral("abc"), -1), QString());
        QCOMPARE(Leerzeichen(3), QStringLiteral("   "));
        QCOMPARE(ListenPosition({QStringLiteral("a"), QStringLiteral(" Deutsch ")}, QStringLiteral("DEUTSCH")), 1);
        QCOMPARE(ListenPosition({QStringLiteral("a")}, QStringLiteral("b")), -1);
    }

    void listenleser()
    {
        const QStringList liste{QStringLiteral("Zahl = 12"), QStringLiteral("Text= a, b = \"c\" "),
                                QStringLiteral("Aus=0"), QStringLiteral("Ja=ja"), QStringLiteral("Leer="),
                                QStringLiteral("Faktor=1,5"), QStringLiteral("Kaputt=zwölf"), QStringLiteral("Müll")};
        QString text = QStringLiteral("vorher");
        ListenText(liste, QStringLiteral("text"), text);
        QCOMPARE(text, QStringLiteral("a, b = \"c\""));
        ListenText(liste, QStringLiteral("Leer"), text);
        QCOMPARE(text, QStringLiteral("a, b = \"c\""));
        int zahl = 5;
        QVERIFY(ListenGanzzahl(liste, QStringLiteral("Zahl"), zahl));
        QCOMPARE(zahl, 12);
        QVERIFY(!ListenGanzzahl(liste, QStringLiteral("Kaputt"), zahl));
        QCOMPARE(zahl, 12);
        double faktor = 0;
        ListenZahl(liste, QStringLiteral("Faktor"), faktor);
        QCOMPARE(faktor, 1.5);
        bool aus = true, ja = false, leer = true;
        ListenSchalter(liste, QStringLiteral("Aus"), aus);
        ListenSchalter(liste, QStringLiteral("Ja"), ja);
        ListenSchalter(liste, QStringLiteral("Leer"), leer);
        QCOMPARE(aus, false);
        QCOMPARE(ja, true);
        QCOMPARE(leer, true);
    }

    void zeichensaetze()
    {
        QCOMPARE(ZuOEM(QStringLiteral("Größe ß Ä")), QByteArray("Gr\x94\xe1" "e \xe1 \x8e"));
        QCOMPARE(ZuAnsi(QStringLiteral("Größe € Ā")), QByteArray("Gr\xf6\xdf" "e \x80 A"));
        QCOMPARE(OemZuText(ZuOEM(QStringLiteral("Müller"))), QStringLiteral("Müller"));
        QCOMPARE(Utf8OderAnsiZuText(QByteArray("\xef\xbb\xbfM\xc3\xbcller")), QStringLiteral("Müller"));
        QCOMPARE(Utf8OderAnsiZuText(QByteArray("M\xfcller")), QStringLiteral("Müller"));
    }

    void rtfZuText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("zeilen");
        QTest::addColumn<QString>("ergebnis");
        const QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0;}"
                                           "\\f0 Zeile 1 M\\'fcller\\par {\\b fett} \\{x\\}\\par\\u8364?3\\par}");
        QTest::newRow("plain text unchanged") << QStringLiteral("kein RTF") << 2 << QStringLiteral("kein RTF");
        QTest::newRow("rtf") << rtf << 0 << QStringLiteral("Zeile 1 Müller\r\nfett {x}\r\n€3");
        QTest::newRow("indented") << rtf << 2 << QStringLiteral("  Zeile 1 Müller\r\n  fett {x}\r\n  €3");
        QTest::newRow("first line only") << rtf << -1 << QStringLiteral("Zeile 1 Müller");
        QTest::newRow("broken") << QStringLiteral("{\\rtf1 offen") << 0 << QString();
    }
    void rtfZuText()
    {
        QFETCH(QString, text);
        QFETCH(int, zeilen);
        QFETCH(QString, ergebnis);
        QCOMPARE(RTFzuText(text, zeilen), ergebnis);
    }

    void verzeichnisse()
    {
        QTemporaryDir dir;
        const QString neu = dir.filePath(QStringLiteral("neu"));
        VerzeichnisAnlegen(neu);
        QVERIFY(VerzeichnisTest(neu));
        QVERIFY(!QFile::exists(neu + QStringLiteral("/DIRTST.TST")));
        QVERIFY(!VerzeichnisTest(dir.filePath(QStringLiteral("fehlt"))));
        QFile f(neu + QStringLiteral("/a.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        f.setPermissions(QFileDevice::ReadOwner);
        VerzeichnisLoeschen(neu);
        QVERIFY(!QDir(neu).exists());
    }

    void steuersatzNachDatum_data()
    {
        QTest::addColumn<QVariantHash>("zeile");
        QTest::addColumn<QDate>("datum");
        QTest::addColumn<double>("satz");
        QTest::addColumn<int>("konto");
        const QVariantHash zeile{{"Datum", QDate(2020, 7, 1)}, {"MwST", 19.0}, {"NMwST", 16.0},
                                 {"NEU_Datum", QDate(2021, 1, 1)}, {"NEU_MWST", 19.0},
                                 {"Steuerkonto", 1776}, {"NSteuerkonto", 1775}};
        QVariantHash ohneNeu = zeile;
        ohneNeu.remove(QStringLiteral("NEU_Datum"));
        QVariantHash neuLeer = zeile;
        neuLeer[QStringLiteral("NEU_Datum")] = QVariant(QMetaType::fromType<QDate>());
        QVariantHash nullSatz = ohneNeu;
        nullSatz[QStringLiteral("NMwST")] = 0.0;
        QTest::newRow("before Datum") << zeile << QDate(2020, 6, 30) << 0.19 << 1776;
        QTest::newRow("between") << zeile << QDate(2020, 8, 1) << 0.16 << 1775;
        QTest::newRow("after NEU_Datum") << zeile << QDate(2021, 1, 1) << 0.19 << 1775;
        QTest::newRow("no date") << zeile << QDate() << 0.16 << 1776;
        QTest::newRow("without NEU_Datum field") << ohneNeu << QDate(2022, 1, 1) << 0.16 << 1775;
        QTest::newRow("empty NEU_Datum") << neuLeer << QDate(2022, 1, 1) << 0.16 << 1775;
        QTest::newRow("rate 0 takes NEU_MWST") << nullSatz << QDate(2022, 1, 1) << 0.19 << 1775;
    }
    void steuersatzNachDatum()
    {
        QFETCH(QVariantHash, zeile);
        QFETCH(QDate, datum);
        QFETCH(double, satz);
        QFETCH(int, konto);
        QSqlRecord record;
        for (auto it = zeile.cbegin(); it != zeile.cend(); ++it) {
            QSqlField feld(it.key(), it.value().metaType());
            feld.setValue(it.value());
            record.append(feld);
        }
        QCOMPARE(SteuersatzNachDatum(record, datum), satz);
        QCOMPARE(SteuerkontoNachDatum(record, datum), konto);
    }
};

QTEST_GUILESS_MAIN(TstHilfsfunktionen)
#include "tst_hilfsfunktionen.moc"
