#pragma once
// A small world for the export tests: a local journal "Buchungen" in a fresh SQLite file and a
// merchandise-management database (the shared schema, SQLite or the MariaDB test server)
// reached through a TQemConnection, plus a Feedback that records what the run reports.
// World(Wawi::MariaDB) needs the test server (tests marked MARIADB); the schema is empty
// until a test fills it (DemoDaten::fill on a copy of wawi()).

#include "dataaccess/tqemconnection.h"
#include "dataaccess/wawischema.h"
#include "store/feedback.h"
#include "testsupport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>

#include <memory>

namespace exportfixture {

inline const char* kJournalDdl =
    "CREATE TABLE Buchungen (BuchNr INTEGER PRIMARY KEY AUTOINCREMENT, Buchungsnummer INTEGER, "
    "Datum DATE, Soll INTEGER, Haben INTEGER, Buchungstext VARCHAR(120), Brutto REAL, Netto REAL, "
    "USTBetrag REAL, USTSollKonto INTEGER, USTHabenKonto INTEGER, MwSt INTEGER, MwStPro REAL, "
    "Export BOOLEAN, PrgNr INTEGER, Mandant INTEGER, Auftrag INTEGER, Adresse INTEGER, "
    "Kostenstelle1 INTEGER, Kostenstelle2 INTEGER, Splittnummer INTEGER, ValutaDatum DATE)";

struct Recorder : Feedback {
    QStringList messages;
    QStringList lines;
    QString status;
    qint64 progress = 0;
    int cancelAfter = -1;  // cancelled() turns true after this many questions
    mutable int asked = 0;
    void setStatus(const QString& text) override { status = text; }
    void setProgress(qint64 value, qint64) override { progress = value; }
    bool cancelled() const override { return cancelAfter >= 0 && ++asked > cancelAfter; }
    void addMessage(const QString& line) override { lines << line; }
    void message(const QString& text, MessageKind) override { messages << text; }
};

struct Buchung {
    int buchungsnummer = 1;
    QDate datum = QDate(2024, 3, 5);
    int soll = 1200;
    int haben = 8400;
    QString text = QStringLiteral("RE 1");
    double brutto = 119;
    double ust = 19;
    int auftrag = 0;
    QVariant kost1;
    QVariant valuta;
    bool exportiert = false;
};

enum class Wawi { SQLite, MariaDB };

class World {
public:
    explicit World(Wawi art = Wawi::SQLite)
    {
        static int counter = 0;
        const QString n = QString::number(++counter);
        journalName_ = QStringLiteral("journal") + n;
        wawiName_ = QStringLiteral("wawi") + n;
        QSqlDatabase j = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), journalName_);
        j.setDatabaseName(dir.filePath(QStringLiteral("DateV.sqlite")));
        QVERIFY(j.open());
        QSqlQuery q(j);
        q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
        QVERIFY2(q.exec(QLatin1String(kJournalDdl)), qPrintable(q.lastError().text()));
        QSqlDatabase w;
        if (art == Wawi::MariaDB) {
            maria_ = std::make_unique<testsupport::TestMariaDb>(QStringLiteral("export"));
            QVERIFY2(maria_->isValid(), qPrintable(maria_->errorText()));
            wawiName_ = maria_->databaseName();
            w = maria_->raw();
        } else {
            w = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), wawiName_);
            w.setDatabaseName(dir.filePath(QStringLiteral("wawi.sqlite")));
            QVERIFY(w.open());
            QSqlQuery(w).exec(QStringLiteral("PRAGMA synchronous=OFF"));
        }
        QString error;
        QVERIFY2(WawiSchema::create(w, {}, &error), qPrintable(error));
        conn.AttachDatabase(wawiName_);
        QDir(dir.path()).mkdir(QStringLiteral("out"));
    }
    ~World()
    {
        conn.Close();
        QSqlDatabase::database(journalName_, false).close();
        QSqlDatabase::removeDatabase(journalName_);
        if (maria_)
            return;  // the fixture closes and drops its database
        QSqlDatabase::database(wawiName_, false).close();
        QSqlDatabase::removeDatabase(wawiName_);
    }
    bool mariaDb() const { return maria_ != nullptr; }

    QSqlDatabase journal() const { return QSqlDatabase::database(journalName_, false); }
    QSqlDatabase wawi() const { return QSqlDatabase::database(wawiName_, false); }
    QString out() const { return dir.filePath(QStringLiteral("out")); }

    qint64 buchen(const Buchung& b)
    {
        QSqlQuery q(journal());
        q.prepare(QStringLiteral(
            "INSERT INTO Buchungen (Buchungsnummer, Datum, Soll, Haben, Buchungstext, Brutto, Netto, "
            "USTBetrag, Export, PrgNr, Mandant, Auftrag, Kostenstelle1, ValutaDatum) "
            "VALUES (?,?,?,?,?,?,?,?,?,3,1,?,?,?)"));
        for (const QVariant& v : QVariantList{b.buchungsnummer, b.datum, b.soll, b.haben, b.text, b.brutto,
                                              b.brutto - b.ust, b.ust, b.exportiert ? 1 : 0, b.auftrag,
                                              b.kost1, b.valuta})
            q.addBindValue(v);
        if (!q.exec())
            qFatal("%s", qPrintable(q.lastError().text()));
        return q.lastInsertId().toLongLong();
    }

    void auftrag(int nr, double faktor, int steuer = 0, int adresse = 0, bool abgeschlossen = true,
                 int tage1 = 0, int tage3 = 0, const QDate& datum = QDate(2024, 3, 1))
    {
        exec(QStringLiteral("INSERT INTO Auftrag (Auftrag, Mandant, Art, Adresse1, Vorgangsnummer, Auftragsnummer, "
                            "ShopID, Vorgangsdatum, Steuer, Tage1, Tage3, Faktor, Abgeschlossen) "
                            "VALUES (?,1,1,?,?,?,?,?,?,?,?,?,?)"),
             {nr, adresse, QString::number(nr), QStringLiteral("AN-%1").arg(nr), QStringLiteral("SHOP-%1").arg(nr),
              datum, steuer, tage1, tage3, faktor, abgeschlossen ? 1 : 0});
    }

    void adresse(int nr, int mandant, qint64 konto, const QString& suchbegriff, const QString& egid = QString())
    {
        exec(QStringLiteral("INSERT INTO Adressen (Adresse, Mandant, Art, Nummer, SUCHBEGRIFF, EGID, FibuKontonummer) "
                            "VALUES (?,?,1,?,?,?,?)"),
             {nr, mandant, QStringLiteral("K%1").arg(nr), suchbegriff, egid, konto});
    }

    void exec(const QString& sql, const QVariantList& values)
    {
        QSqlQuery q(wawi());
        q.prepare(sql);
        for (const QVariant& v : values)
            q.addBindValue(v);
        if (!q.exec())
            qFatal("%s", qPrintable(q.lastError().text()));
    }

    // BuchNr of the bookings with Export set, in key order.
    QList<qint64> exportiert() const
    {
        QList<qint64> out;
        QSqlQuery q(journal());
        q.exec(QStringLiteral("SELECT BuchNr FROM Buchungen WHERE Export=1 ORDER BY BuchNr"));
        while (q.next())
            out << q.value(0).toLongLong();
        return out;
    }

    QTemporaryDir dir;
    TQemConnection conn;

private:
    std::unique_ptr<testsupport::TestMariaDb> maria_;
    QString journalName_;
    QString wawiName_;
};

inline QByteArray lesen(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

}  // namespace exportfixture
