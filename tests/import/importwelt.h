#pragma once
// A small world for the import tests and the import benchmark: a fresh program directory with
// its local database (structure check from the shipped templates, VAT account rows from startdb)
// and a merchandise-management database with the shared schema on SQLite or on the MariaDB test
// server, reached through a TQemConnection; plus a Feedback that records what a run reports.

#include "dataaccess/tqemconnection.h"
#include "dataaccess/wawiinserter.h"
#include "dataaccess/wawischema.h"
#include "import/importlauf.h"
#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/lokaledatenbank.h"
#include "store/strukturcheck.h"

#include "testsupport.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariantHash>

#include <memory>

namespace importwelt {

struct Recorder : Feedback {
    QStringList lines;     // message list
    QStringList messages;  // message boxes
    int cancelAfter = -1;  // cancelled() turns true after this many documents
    mutable int asked = 0;
    bool cancelled() const override { return cancelAfter >= 0 && ++asked > cancelAfter; }
    void addMessage(const QString& line) override { lines << line; }
    void message(const QString& text, MessageKind) override { messages << text; }
    QStringList fehler() const
    {
        QStringList f;
        for (const QString& l : lines)
            if (l.startsWith(QStringLiteral("Fehler beim Importieren Auftragsnr:")))
                f << l;
        return f;
    }
};

enum class Dialekt { SQLite, MariaDB };

class Welt {
public:
    explicit Welt(Dialekt dialekt)
        : dialekt_(dialekt)
    {
        PfadeSetzen();
        StrukturCheck check(nullptr);
        if (!check.Check_Version() || !LokaleDatenbankOeffnen(&fehler_)) {
            fehler_ = QStringLiteral("lokale Datenbank: ") + fehler_;
            return;
        }
        if (dialekt == Dialekt::MariaDB) {
            maria_ = std::make_unique<testsupport::TestMariaDb>(QStringLiteral("imp"));
            if (!maria_->isValid()) {
                fehler_ = maria_->errorText();
                return;
            }
            name_ = maria_->databaseName();
        } else {
            static int zaehler = 0;
            name_ = QStringLiteral("wawi_import_%1").arg(++zaehler);
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
            db.setDatabaseName(programm_.filePath(QStringLiteral("wawi.sqlite")));
            if (!db.open()) {
                fehler_ = db.lastError().text();
                return;
            }
            QSqlQuery(db).exec(QStringLiteral("PRAGMA synchronous=OFF"));
        }
        verbindung.AttachDatabase(name_);
        bereit_ = true;
    }
    ~Welt()
    {
        LokaleDatenbankSchliessen();
        if (dialekt_ == Dialekt::SQLite && !name_.isEmpty()) {
            QSqlDatabase::database(name_, false).close();
            QSqlDatabase::removeDatabase(name_);
        }
    }
    Welt(const Welt&) = delete;
    Welt& operator=(const Welt&) = delete;

    bool bereit() const { return bereit_; }
    QString fehler() const { return fehler_; }
    QSqlDatabase wawi() const { return QSqlDatabase::database(name_, false); }
    QSqlDatabase journal() const { return LokaleDatenbank(); }
    Dialekt dialekt() const { return dialekt_; }

    // One statement on the merchandise-management database; false with the reason in fehler().
    bool sql(const QString& text, const QVariantList& werte = {})
    {
        QSqlQuery q(wawi());
        q.prepare(text);
        for (int i = 0; i < werte.size(); ++i)
            q.bindValue(i, werte[i]);
        if (q.exec())
            return true;
        fehler_ = q.lastError().text() + QStringLiteral(" (") + text + QStringLiteral(")");
        return false;
    }
    bool zeilen(const QString& tabelle, const QList<QVariantHash>& rows)
    {
        QSqlDatabase db = wawi();
        WawiInserter ins(db, tabelle);
        for (const QVariantHash& r : rows)
            if (!ins.add(r)) {
                fehler_ = ins.error();
                return false;
            }
        if (ins.flush())
            return true;
        fehler_ = ins.error();
        return false;
    }

    // Rows of a query on either database.
    static QList<QSqlRecord> lesen(QSqlDatabase db, const QString& text, const QVariantList& werte = {})
    {
        QSqlQuery q(db);
        q.prepare(text);
        for (int i = 0; i < werte.size(); ++i)
            q.bindValue(i, werte[i]);
        QList<QSqlRecord> r;
        if (!q.exec())
            return r;
        while (q.next())
            r << q.record();
        return r;
    }
    static QVariant wert(QSqlDatabase db, const QString& text, const QVariantList& werte = {})
    {
        const QList<QSqlRecord> r = lesen(db, text, werte);
        return r.isEmpty() ? QVariant() : r.first().value(0);
    }

    TQemConnection verbindung;

private:
    Dialekt dialekt_;
    testsupport::TempProgramDir programm_;
    std::unique_ptr<testsupport::TestMariaDb> maria_;
    QString name_;
    QString fehler_;
    bool bereit_ = false;
};

// The run's settings as client 1 of the demo data has them (man.ini: Frei1Multi, Versand_MWST 1).
inline fibuimport::ImportKontext demoKontext(fibuimport::ImportModus modus)
{
    fibuimport::ImportKontext k;
    k.modus = modus;
    k.komma1 = 2;
    k.mandant = 1;
    k.prgNr = 3;
    k.freiMulti[0] = true;
    k.versandMwSt = 1;
    k.eZBerichtFibu = false;
    k.vorgangsnrAlsBelegnr = true;
    k.unbeaufsichtigt = true;
    return k;
}

}  // namespace importwelt
