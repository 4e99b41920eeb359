#include "shell/tfm_buchunglogic.h"

#include "dataaccess/eqemdatabaseerror.h"
#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/texte.h"
#include "store/zahlen.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVector>

#include <stdexcept>

namespace {

// A local transaction that rolls back unless committed.
class LokaleTransaktion {
public:
    explicit LokaleTransaktion(QSqlDatabase& db) : db_(db), open_(db.transaction()) {}
    ~LokaleTransaktion()
    {
        if (open_)
            db_.rollback();
    }
    void commit()
    {
        if (open_ && !db_.commit())
            throw std::runtime_error(db_.lastError().text().toStdString());
        open_ = false;
    }

private:
    QSqlDatabase& db_;
    bool open_;
};

// Resets the maintenance flag on every way out.
class Wartungsmodus {
public:
    explicit Wartungsmodus(bool& flag) : flag_(flag) { flag_ = true; }
    ~Wartungsmodus() { flag_ = false; }

private:
    bool& flag_;
};

QString allgemeineZahl(double value)
{
    return QString::number(value, 'g', 15).toUpper();
}

}  // namespace

TFM_BuchungLogic::TFM_BuchungLogic(const QSqlDatabase& local, Feedback& feedback)
    : local_(local), feedback_(&feedback)
{
}

QString TFM_BuchungLogic::SuchStatement(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return {};
    const double n = TextZuZahl(t);
    QString s = GrossMitUmlaut(text).trimmed();
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    QString sql = QStringLiteral("SELECT * FROM BUCHUNGEN ")
        + QStringLiteral("WHERE (UPPER(Buchungstext) LIKE ") + QLatin1Char('\'') + QLatin1Char('%') + s
        + QLatin1Char('%') + QLatin1Char('\'') + QLatin1Char(')');
    if (n != 0) {
        const QString g = allgemeineZahl(Runden(2, n));
        sql += QStringLiteral(" OR (Buchungsnummer Like ") + QLatin1Char('\'') + QLatin1Char('%') + g
            + QLatin1Char('%') + QLatin1Char('\'') + QLatin1Char(')');
        sql += QStringLiteral(" OR (Soll=") + g + QLatin1Char(')');
        sql += QStringLiteral(" OR (Haben=") + g + QLatin1Char(')');
        sql += QStringLiteral(" OR (Brutto=") + g + QLatin1Char(')');
    }
    return sql;
}

int TFM_BuchungLogic::programmArt() const
{
    return programmArt_ >= 0 ? programmArt_ : einstellungen().Qem_Programm;
}

bool TFM_BuchungLogic::Loeschen(qint64 buchNr)
{
    QSqlQuery read(local_);
    read.prepare(QStringLiteral("SELECT * FROM Buchungen WHERE BuchNr = ?"));
    read.addBindValue(buchNr);
    if (!read.exec() || !read.next())
        return false;
    const QSqlRecord b = read.record();
    read.finish();
    try {
        LokaleTransaktion transaktion(local_);
        if (!TBL_BuchungBeforeDelete(b))
            return false;
        loescheBuchung(buchNr);
        transaktion.commit();
        return true;
    } catch (const std::exception&) {
        feedback_->message(MeldungNichtGeloescht, MessageKind::Error);
        return false;
    }
}

bool TFM_BuchungLogic::TBL_BuchungBeforeDelete(const QSqlRecord& b)
{
    if (wartung_ || b.value(QStringLiteral("Export")).toBool())
        return true;
    if (!feedback_->ask(FrageWaWi, true))
        return true;
    try {
        if (!feedback_->ask(FrageVorgang, true))
            throw EAbort();
        const int prgNr = b.value(QStringLiteral("PrgNr")).toInt();
        if (prgNr != programmArt()) {
            feedback_->message(MeldungAnderesProgramm, MessageKind::Warning);
            throw EAbort();
        }
        const int auftrag = b.value(QStringLiteral("Auftrag")).toInt();
        const qint64 buchNr = b.value(0).toLongLong();
        Wartungsmodus wartung(wartung_);
        QSqlQuery vorgang(local_);
        vorgang.setForwardOnly(true);
        const QString sql = QStringLiteral("SELECT * FROM Buchungen WHERE (PrgNr=") + QString::number(prgNr)
            + QStringLiteral(") AND (Auftrag=") + QString::number(auftrag) + QLatin1Char(')');
        if (!vorgang.exec(sql))
            throw std::runtime_error(vorgang.lastError().text().toStdString());
        QVector<qint64> andere;
        while (vorgang.next()) {
            const qint64 k = vorgang.value(0).toLongLong();
            if (k != buchNr)
                andere.append(k);
        }
        vorgang.finish();
        // The other bookings go only when their source was found and released.
        if (Vorgang_back(auftrag)) {
            for (qint64 k : andere)
                loescheBuchung(k);
        }
        return true;
    } catch (const EQemDatabaseError& error) {
        feedback_->message(MeldungNichtGeloescht + QStringLiteral("\r") + error.message(), MessageKind::Error);
    } catch (const EAbort&) {
        feedback_->message(MeldungNichtGeloescht, MessageKind::Error);
    } catch (const std::exception& error) {
        feedback_->message(MeldungNichtGeloescht + QStringLiteral("\r") + QString::fromStdString(error.what()),
                          MessageKind::Error);
    }
    return false;
}

bool TFM_BuchungLogic::Vorgang_back(int auftrag)
{
    if (!wawi_)
        throw EQemDatabaseError(QStringLiteral("Keine Verbindung zur Warenwirtschaft"));
    return auftrag < 0 ? wawi_->KassenbuchZuruecknehmen(-auftrag) : wawi_->BelegZuruecknehmen(auftrag);
}

void TFM_BuchungLogic::loescheBuchung(qint64 buchNr)
{
    QSqlQuery del(local_);
    del.prepare(QStringLiteral("DELETE FROM Buchungen WHERE BuchNr = ?"));
    del.addBindValue(buchNr);
    if (!del.exec())
        throw std::runtime_error(del.lastError().text().toStdString());
}

int TFM_BuchungLogic::Action_DeleteExport()
{
    Wartungsmodus wartung(wartung_);
    if (!feedback_->ask(FrageExportLoeschen, true))
        return 0;
    try {
        LokaleTransaktion transaktion(local_);
        QSqlQuery walk(local_);
        walk.setForwardOnly(true);
        if (!walk.exec(QStringLiteral("SELECT BuchNr, Export FROM Buchungen ORDER BY BuchNr DESC")))
            throw std::runtime_error(walk.lastError().text().toStdString());
        QVector<qint64> exportiert;
        while (walk.next()) {
            if (walk.value(1).toBool())
                exportiert.append(walk.value(0).toLongLong());
        }
        walk.finish();
        for (qint64 k : exportiert)
            loescheBuchung(k);
        transaktion.commit();
        return int(exportiert.size());
    } catch (const std::exception& error) {
        feedback_->message(MeldungNichtGeloescht + QStringLiteral("\r") + QString::fromStdString(error.what()),
                          MessageKind::Error);
        return 0;
    }
}
