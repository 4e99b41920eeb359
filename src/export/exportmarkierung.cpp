#include "export/exportmarkierung.h"

#include "export/exporterror.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

constexpr int kJeAnweisung = 500;
constexpr int kMindestBereich = 16;  // consecutive keys marked by one range

// A transaction on the journal that rolls back unless committed.
class Transaktion {
public:
    explicit Transaktion(QSqlDatabase& db) : db_(db)
    {
        if (!db_.transaction())
            throw ExportError(db_.lastError().text());
    }
    ~Transaktion()
    {
        if (!fertig_)
            db_.rollback();
    }
    void commit()
    {
        if (!db_.commit())
            throw ExportError(db_.lastError().text());
        fertig_ = true;
    }

private:
    QSqlDatabase& db_;
    bool fertig_ = false;
};

QString anweisung(int n)
{
    QStringList marks;
    marks.reserve(n);
    for (int i = 0; i < n; ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("UPDATE Buchungen SET Export=1 WHERE BuchNr IN (") + marks.join(QLatin1Char(','))
           + QLatin1Char(')');
}

}  // namespace

ExportMarkierung::ExportMarkierung(const QSqlDatabase& journal) : db_(journal) {}

void ExportMarkierung::vormerken(qint64 buchNr, qint64 zeilenEnde)
{
    offen_.append({buchNr, zeilenEnde});
}

void ExportMarkierung::festschreiben(qint64 bytesInDatei)
{
    QList<qint64> keys;
    qsizetype i = erster_;
    while (i < offen_.size() && offen_.at(i).ende <= bytesInDatei)
        keys << offen_.at(i++).buchNr;
    if (keys.isEmpty())
        return;
    markieren(keys);
    letztesEnde_ = offen_.at(i - 1).ende;
    erster_ = i;
    markiert_ += keys.size();
    if (erster_ == offen_.size()) {
        offen_.clear();
        erster_ = 0;
    }
}

void ExportMarkierung::markieren(const QList<qint64>& alle)
{
    Transaktion tx(db_);
    // Bookings of one period usually follow each other in key order: a run of consecutive
    // keys is marked by one range, the rest by lists of keys.
    QList<qint64> keys;
    QSqlQuery bereich(db_);
    if (!bereich.prepare(QStringLiteral("UPDATE Buchungen SET Export=1 WHERE BuchNr BETWEEN ? AND ?")))
        throw ExportError(bereich.lastError().text());
    for (qsizetype i = 0; i < alle.size();) {
        qsizetype j = i + 1;
        while (j < alle.size() && alle.at(j) == alle.at(j - 1) + 1)
            ++j;
        if (j - i >= kMindestBereich) {
            bereich.bindValue(0, alle.at(i));
            bereich.bindValue(1, alle.at(j - 1));
            if (!bereich.exec())
                throw ExportError(bereich.lastError().text());
        } else {
            for (qsizetype k = i; k < j; ++k)
                keys << alle.at(k);
        }
        i = j;
    }
    QSqlQuery voll(db_);
    if (keys.size() >= kJeAnweisung && !voll.prepare(anweisung(kJeAnweisung)))
        throw ExportError(voll.lastError().text());
    for (qsizetype start = 0; start < keys.size(); start += kJeAnweisung) {
        const qsizetype n = std::min<qsizetype>(kJeAnweisung, keys.size() - start);
        QSqlQuery rest(db_);
        QSqlQuery& q = n == kJeAnweisung ? voll : rest;
        if (n != kJeAnweisung && !q.prepare(anweisung(static_cast<int>(n))))
            throw ExportError(q.lastError().text());
        for (qsizetype k = 0; k < n; ++k)
            q.bindValue(static_cast<int>(k), keys.at(start + k));
        if (!q.exec())
            throw ExportError(q.lastError().text());
    }
    tx.commit();
}
