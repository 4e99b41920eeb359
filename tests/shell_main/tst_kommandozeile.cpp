#include "shell/kommandozeile.h"

#include <QtTest>

using Lauf = Kommandozeile::Lauf;
Q_DECLARE_METATYPE(Kommandozeile::Lauf)

class TstKommandozeile : public QObject {
    Q_OBJECT
private slots:
    void auswerten_data()
    {
        QTest::addColumn<QStringList>("parameter");
        QTest::addColumn<QString>("konfiguration");
        QTest::addColumn<Lauf>("lauf");

        QTest::newRow("nothing") << QStringList{} << QString() << Lauf::Keiner;
        QTest::newRow("-in lower case") << QStringList{"-in"} << QString() << Lauf::Import;
        QTest::newRow("-IN") << QStringList{"-IN"} << QString() << Lauf::Import;
        QTest::newRow("-Aus mixed case") << QStringList{"-Aus"} << QString() << Lauf::Export;
        QTest::newRow("-inaus") << QStringList{"-inaus"} << QString() << Lauf::ImportExport;
        QTest::newRow("Filiale2 -AUS") << QStringList{"Filiale2", "-AUS"} << "Filiale2" << Lauf::Export;
        QTest::newRow("Filiale2 -inaus") << QStringList{"Filiale2", "-inaus"} << "Filiale2"
                                         << Lauf::ImportExport;
        QTest::newRow("Filiale2 alone") << QStringList{"Filiale2"} << "Filiale2" << Lauf::Keiner;
        // The configuration name is kept untrimmed; only the test for "-" trims.
        QTest::newRow("configuration with blank") << QStringList{"Filiale 2 "} << "Filiale 2 "
                                                  << Lauf::Keiner;
        QTest::newRow("option with blanks") << QStringList{" -in "} << QString() << Lauf::Import;
        QTest::newRow("option first, name after") << QStringList{"-AUS", "Filiale2"} << QString()
                                                  << Lauf::Export;
        QTest::newRow("unknown option") << QStringList{"-EXPORT"} << QString() << Lauf::Unbekannt;
        QTest::newRow("two names") << QStringList{"Filiale2", "Filiale3"} << "Filiale2"
                                   << Lauf::Unbekannt;
    }

    void auswerten()
    {
        QFETCH(QStringList, parameter);
        QFETCH(QString, konfiguration);
        QFETCH(Lauf, lauf);

        const Kommandozeile zeile = Kommandozeile::auswerten(parameter);
        QCOMPARE(zeile.konfiguration(), konfiguration);
        QCOMPARE(zeile.lauf(), lauf);
        QCOMPARE(zeile.unbeaufsichtigt(), lauf != Lauf::Keiner);
        QCOMPARE(zeile.mitImport(), lauf == Lauf::Import || lauf == Lauf::ImportExport);
        QCOMPARE(zeile.mitExport(), lauf == Lauf::Export || lauf == Lauf::ImportExport);
    }
};

QTEST_GUILESS_MAIN(TstKommandozeile)
#include "tst_kommandozeile.moc"
