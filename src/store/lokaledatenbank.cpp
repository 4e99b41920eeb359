#include "store/lokaledatenbank.h"

#include "store/einstellungen.h"
#include "store/zahlen.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString ohneDbEndung(const QString& name)
{
    QString n = name.trimmed();
    if (n.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
        n.chop(3);
    return n;
}

// The stored name of a table, or null when the database holds none of that name.
QString gespeicherterName(const QString& name, const QSqlDatabase& db)
{
    if (!db.isOpen())
        return QString();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name=? COLLATE NOCASE"));
    q.addBindValue(name);
    if (q.exec() && q.next())
        return q.value(0).toString();
    return QString();
}

}  // namespace

QString LokaleDatenbankDatei(const QString& datenPfad)
{
    QString pfad = datenPfad.isEmpty() ? einstellungen().DatenPfad : datenPfad;
    if (!pfad.endsWith(QLatin1Char('/')))
        pfad += QLatin1Char('/');
    return pfad + DateVDateiname;
}

bool LokaleDatenbankOeffnen(QString* fehler)
{
    QSqlDatabase db = QSqlDatabase::contains(DateVVerbindung)
                          ? QSqlDatabase::database(DateVVerbindung, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), DateVVerbindung);
    db.close();
    db.setDatabaseName(LokaleDatenbankDatei());
    if (!db.open()) {
        if (fehler)
            *fehler = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA busy_timeout = 5000"));
    return true;
}

void LokaleDatenbankSchliessen()
{
    if (!QSqlDatabase::contains(DateVVerbindung))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(DateVVerbindung, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(DateVVerbindung);
}

QSqlDatabase LokaleDatenbank()
{
    return QSqlDatabase::database(DateVVerbindung, false);
}

QString LokalerTabellenname(const QString& name, const QSqlDatabase& db)
{
    const QString basis = ohneDbEndung(name);
    const QString gespeichert = gespeicherterName(basis, db);
    return gespeichert.isNull() ? basis : gespeichert;
}

QString LokalesSql(const QString& sql, const QSqlDatabase& db)
{
    static const QRegularExpression tabelle(QStringLiteral("\\b([A-Za-z_][A-Za-z0-9_]*)\\.db\\b"),
                                            QRegularExpression::CaseInsensitiveOption);
    QString ergebnis;
    qsizetype pos = 0;
    // Only outside quoted literals.
    while (pos < sql.size()) {
        const qsizetype zitat = sql.indexOf(QLatin1Char('\''), pos);
        const qsizetype ende = zitat < 0 ? sql.size() : zitat;
        QString stueck = sql.mid(pos, ende - pos);
        QString ersetzt;
        qsizetype letzte = 0;
        QRegularExpressionMatchIterator it = tabelle.globalMatch(stueck);
        while (it.hasNext()) {
            const QRegularExpressionMatch m = it.next();
            const QString gespeichert = gespeicherterName(m.captured(1), db);
            if (gespeichert.isNull())
                continue;
            ersetzt += stueck.mid(letzte, m.capturedStart() - letzte) + gespeichert;
            letzte = m.capturedEnd();
        }
        ersetzt += stueck.mid(letzte);
        ergebnis += ersetzt;
        if (zitat < 0)
            break;
        const qsizetype zitatEnde = sql.indexOf(QLatin1Char('\''), zitat + 1);
        const qsizetype bis = zitatEnde < 0 ? sql.size() : zitatEnde + 1;
        ergebnis += sql.mid(zitat, bis - zitat);
        pos = bis;
    }
    return ergebnis;
}

int NaechsteNummer(const QString& feld, const QSqlDatabase& db)
{
    static const QRegularExpression feldname(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!feldname.match(feld).hasMatch())
        return 1;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT MAX(") + feld + QStringLiteral(") As Summe FROM Buchungen")) || !q.next())
        return 1;
    return TextZuGanzzahl(q.value(QStringLiteral("Summe")).toString()) + 1;
}
