#include "import/wawileser.h"

#include "dataaccess/tqemconnection.h"

#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>

namespace fibuimport {

namespace {
constexpr int kBlock = 400;

qint64 jetztNs()
{
    static QElapsedTimer uhr = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return uhr.nsecsElapsed();
}
}  // namespace

WaWiLeser::Stoppuhr::Stoppuhr(WaWiLeser& l)
    : leser(l), start(jetztNs())
{
    ++leser.anweisungen_;
}

WaWiLeser::Stoppuhr::~Stoppuhr()
{
    leser.serverNs_ += jetztNs() - start;
}

WaWiLeser::WaWiLeser(TQemConnection& verbindung)
    : verbindung_(verbindung)
{
}

int WaWiLeser::serverType() const
{
    return verbindung_.SERVER_TYPE >= 0 ? verbindung_.SERVER_TYPE : verbindung_.GetServer_Type();
}

QVector<QSqlRecord> WaWiLeser::zeilen(const QString& sql, const QVariantList& werte)
{
    Stoppuhr uhr(*this);
    QSqlQuery q(verbindung_.Database());
    q.setForwardOnly(true);
    verbindung_.NoteStatement(sql);
    if (!q.prepare(sql))
        throw EQemDatabaseError(q.lastError().text() + QStringLiteral(" (") + sql + QStringLiteral(")"));
    for (int i = 0; i < werte.size(); ++i)
        q.bindValue(i, werte[i]);
    if (!q.exec())
        throw EQemDatabaseError(q.lastError().text() + QStringLiteral(" (") + sql + QStringLiteral(")"));
    QVector<QSqlRecord> ergebnis;
    while (q.next())
        ergebnis.append(q.record());
    return ergebnis;
}

QVector<QSqlRecord> WaWiLeser::zeilenMit(const QString& tabelle, const QString& feld,
                                         const QVariantList& schluessel, const QString& ordnung)
{
    QVector<QSqlRecord> ergebnis;
    for (int ab = 0; ab < schluessel.size(); ab += kBlock) {
        const QVariantList teil = schluessel.mid(ab, kBlock);
        QStringList platzhalter;
        for (int i = 0; i < teil.size(); ++i)
            platzhalter << QStringLiteral("?");
        QString sql = QStringLiteral("SELECT * FROM %1 WHERE %2 IN (%3)")
                          .arg(tabelle, feld, platzhalter.join(QLatin1Char(',')));
        if (!ordnung.isEmpty())
            sql += QStringLiteral(" ORDER BY ") + ordnung;
        ergebnis += zeilen(sql, teil);
    }
    return ergebnis;
}

int WaWiLeser::ausfuehren(const QString& sql, const QVariantList& werte)
{
    Stoppuhr uhr(*this);
    return verbindung_.ExecSQL(sql, werte);
}

QSqlRecord WaWiLeser::felder(const QString& tabelle)
{
    return verbindung_.Database().record(tabelle);
}

}  // namespace fibuimport
