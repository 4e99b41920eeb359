#pragma once
// The world of the import dialog tests: a fresh program directory whose local database the
// structure check has built (journal, MWSTEIN.DB with its start rows, KoTrans.db), opened as
// "DateV", and the demo merchandise database on SQLite (documents of the last days, client 1)
// connected through a TQemConnection, with client and product set as the start would set them.

#include "dataaccess/demodaten.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/wawischema.h"
#include "store/einstellungen.h"
#include "store/lokaledatenbank.h"
#include "store/strukturcheck.h"
#include "testsupport.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtTest>

#include <memory>

class ImportWelt {
public:
    ImportWelt()
    {
        PfadeSetzen();
        StrukturCheck check(nullptr);
        check.Check_Version();
        QString fehler;
        QVERIFY2(LokaleDatenbankOeffnen(&fehler), qPrintable(fehler));
        Einstellungen& e = einstellungen();
        e.Qem_Programm = 3;
        e.Aktiv_Mandant = 1;

        const QString datei = programm.filePath(QStringLiteral("wawi.sqlite"));
        QSqlDatabase w = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kWawi);
        w.setDatabaseName(datei);
        QVERIFY(w.open());
        QVERIFY2(WawiSchema::create(w, {}, &fehler), qPrintable(fehler));
        QVERIFY2(DemoDaten::fill(w, {}, &fehler), qPrintable(fehler));
        verbindung.SetConnectionString(WawiSchema::sqliteConnectionString(datei));
        verbindung.Open();
        bereit = verbindung.Connected();
    }
    ~ImportWelt()
    {
        verbindung.Close();
        QSqlDatabase::database(kWawi, false).close();
        QSqlDatabase::removeDatabase(kWawi);
        LokaleDatenbankSchliessen();
    }

    QSqlDatabase journal() const { return LokaleDatenbank(); }
    QSqlDatabase wawi() const { return QSqlDatabase::database(kWawi, false); }

    static QVariant wert(const QSqlDatabase& db, const QString& sql)
    {
        QSqlQuery q(db);
        if (!q.exec(sql))
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q.next() ? q.value(0) : QVariant();
    }
    int buchungen() const { return wert(journal(), QStringLiteral("SELECT COUNT(*) FROM Buchungen")).toInt(); }
    void wawiAusfuehren(const QString& sql) const
    {
        QSqlQuery q(wawi());
        QVERIFY2(q.exec(sql), qPrintable(q.lastError().text()));
    }

    testsupport::TempProgramDir programm;
    TQemConnection verbindung;
    bool bereit = false;

private:
    static inline const QString kWawi = QStringLiteral("importwelt_wawi");
};
