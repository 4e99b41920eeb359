#pragma once
// A small local journal for tests and benchmarks: an SQLite file with the table Buchungen in
// the stored form of the local database (BuchNr INTEGER PRIMARY KEY AUTOINCREMENT, dates as
// yyyy-MM-dd text, Booleans 0/1, amounts DOUBLE), opened under a connection name of its own
// (by default "DateV", as the program names the local database). Removed on destruction.

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

struct FixtureBuchung {
    int buchungsnummer = 1;
    QString text;
    double brutto = 0;
    int soll = 1200;
    int haben = 8400;
    bool exportiert = false;
    int auftrag = 0;
    int prgNr = 3;
    QDate datum = QDate(2024, 3, 15);
};

class JournalFixture {
public:
    explicit JournalFixture(const QString& connectionName = QStringLiteral("DateV"))
        : name_(connectionName)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(dir_.filePath(QStringLiteral("DateV.sqlite")));
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral(
            "CREATE TABLE Buchungen (BuchNr INTEGER PRIMARY KEY AUTOINCREMENT, Buchungsnummer INTEGER, "
            "Datum DATE, Soll INTEGER, Haben INTEGER, Buchungstext VARCHAR(80), Brutto DOUBLE, Netto DOUBLE, "
            "USTBetrag DOUBLE, USTSollKonto INTEGER, USTHabenKonto INTEGER, MwSt INTEGER, MwStPro DOUBLE, "
            "Export BOOLEAN, PrgNr INTEGER, Mandant INTEGER, Auftrag INTEGER, Adresse INTEGER, "
            "Kostenstelle1 INTEGER, Kostenstelle2 INTEGER, Splittnummer INTEGER, ValutaDatum DATE)"));
    }
    ~JournalFixture()
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }

    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }
    QString path() const { return dir_.filePath(QStringLiteral("DateV.sqlite")); }

    // Inserts the booking; returns its BuchNr.
    qint64 add(const FixtureBuchung& b) const
    {
        QSqlQuery q(db());
        q.prepare(QStringLiteral(
            "INSERT INTO Buchungen (Buchungsnummer, Datum, Soll, Haben, Buchungstext, Brutto, Netto, USTBetrag, "
            "MwSt, MwStPro, Export, PrgNr, Mandant, Auftrag) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
        const double ust = qRound64(b.brutto / 1.19 * 0.19 * 100) / 100.0;
        for (const QVariant& v : QVariantList{b.buchungsnummer, b.datum, b.soll, b.haben, b.text, b.brutto,
                                              b.brutto - ust, ust, 1, 0.19, b.exportiert ? 1 : 0, b.prgNr, 1,
                                              b.auftrag})
            q.addBindValue(v);
        q.exec();
        return q.lastInsertId().toLongLong();
    }

    // BuchNr of every booking, ascending.
    QList<qint64> keys() const
    {
        QList<qint64> result;
        QSqlQuery q(db());
        q.exec(QStringLiteral("SELECT BuchNr FROM Buchungen ORDER BY BuchNr"));
        while (q.next())
            result.append(q.value(0).toLongLong());
        return result;
    }

private:
    QTemporaryDir dir_;
    QString name_;
};
