#include "export/wawinachschlag.h"

#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemtable.h"
#include "export/buchungsauswahl.h"
#include "export/exporterror.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kJeAbfrage = 1000;

QString platzhalter(qsizetype n)
{
    QString text;
    text.reserve(n * 2);
    for (qsizetype i = 0; i < n; ++i)
        text += i ? QStringLiteral(",?") : QStringLiteral("?");
    return text;
}

// Runs sql + " (?,...)" + tail for each slice of the keys; calls row for each result row.
template <typename Key, typename Row>
void inListen(TQemConnection& conn, const QString& sql, const QString& tail, const QList<Key>& keys,
              const QVariantList& vorne, Row row)
{
    QSqlDatabase db = conn.Database();
    // Full slices share one prepared statement; only the last, shorter one is prepared anew.
    QSqlQuery voll(db);
    voll.setForwardOnly(true);
    bool vollBereit = false;
    for (qsizetype start = 0; start < keys.size(); start += kJeAbfrage) {
        const qsizetype n = std::min<qsizetype>(kJeAbfrage, keys.size() - start);
        QSqlQuery rest(db);
        rest.setForwardOnly(true);
        QSqlQuery& q = n == kJeAbfrage ? voll : rest;
        if (&q == &rest || !vollBereit) {
            const QString text = sql + QLatin1Char('(') + platzhalter(n) + QLatin1Char(')') + tail;
            if (!q.prepare(text))
                throw ExportError(q.lastError().text());
            vollBereit = vollBereit || &q == &voll;
        }
        conn.NoteStatement(q.lastQuery());
        int p = 0;
        for (const QVariant& v : vorne)
            q.bindValue(p++, v);
        for (qsizetype k = 0; k < n; ++k)
            q.bindValue(p++, QVariant::fromValue(keys.at(start + k)));
        if (!q.exec())
            throw ExportError(q.lastError().text());
        while (q.next())
            row(q);
    }
}

}  // namespace

WaWiNachschlag::WaWiNachschlag(TQemConnection& connection) : conn_(connection) {}

QHash<int, ExtfAuftrag> WaWiNachschlag::auftraege(const QList<int>& keys)
{
    QHash<int, ExtfAuftrag> out;
    out.reserve(keys.size());
    QList<int> eu;
    inListen(conn_,
             QStringLiteral("SELECT Auftrag, Faktor, Abgeschlossen, Tage1, Tage3, Vorgangsdatum, Steuer, "
                            "Adresse1, ShopID, Auftragsnummer FROM Auftrag WHERE Auftrag IN "),
             QString(), keys, {}, [&](const QSqlQuery& q) {
                 ExtfAuftrag a;
                 a.auftrag = q.value(0).toInt();
                 a.faktor = q.value(1).toDouble();
                 a.abgeschlossen = q.value(2).toBool();
                 a.tage1 = q.value(3).toInt();
                 a.tage3 = q.value(4).toInt();
                 a.vorgangsdatum = Buchungsauswahl::datum(q.value(5));
                 a.steuer = q.value(6).toInt();
                 a.adresse1 = q.value(7).toInt();
                 a.shopId = q.value(8).toString();
                 a.auftragsnummer = q.value(9).toString();
                 if (a.steuer == 3)
                     eu << a.adresse1;
                 out.insert(a.auftrag, a);
             });
    if (eu.isEmpty())
        return out;
    std::sort(eu.begin(), eu.end());
    eu.erase(std::unique(eu.begin(), eu.end()), eu.end());
    QHash<int, QString> egid;
    inListen(conn_, QStringLiteral("SELECT Adresse, EGID FROM Adressen WHERE Adresse IN "), QString(), eu, {},
             [&](const QSqlQuery& q) { egid.insert(q.value(0).toInt(), q.value(1).toString().trimmed()); });
    for (ExtfAuftrag& a : out)
        if (a.steuer == 3)
            a.egid = egid.value(a.adresse1);
    return out;
}

bool WaWiNachschlag::fibuIndexVorhanden()
{
    TQemTable adressen;
    adressen.SetConnection(&conn_);
    adressen.SetTableName(QStringLiteral("Adressen.DB"));
    // A table whose definitions cannot be read has no index either: adding it then fails
    // with the server's message ("Keinen Zugriff auf die Warenwirtschafsadressen!").
    adressen.IndexDefs();
    return adressen.Metadata().isLoaded() && adressen.Metadata().findIndex(QStringLiteral("Fibu"));
}

void WaWiNachschlag::fibuIndexAnlegen()
{
    TQemTable adressen;
    adressen.SetConnection(&conn_);
    adressen.SetTableName(QStringLiteral("Adressen.DB"));
    adressen.AddIndex(QStringLiteral("Fibu"), QStringLiteral("Mandant;FibuKontonummer"));
    adressen.IndexUpdate();
}

QHash<qint64, QSqlRecord> WaWiNachschlag::adressen(int mandant, const QList<qint64>& konten)
{
    QHash<qint64, QSqlRecord> out;
    inListen(conn_, QStringLiteral("SELECT * FROM Adressen WHERE Mandant=? AND FibuKontonummer IN "),
             QStringLiteral(" ORDER BY Mandant, FibuKontonummer, Adresse"), konten, {mandant},
             [&](const QSqlQuery& q) {
                 const qint64 konto = q.value(QStringLiteral("FibuKontonummer")).toLongLong();
                 if (!out.contains(konto))
                     out.insert(konto, q.record());
             });
    return out;
}
