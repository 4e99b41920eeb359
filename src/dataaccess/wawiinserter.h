#pragma once
// Writes rows into one merchandise-management table with batched multi-row INSERT statements
// and bound values (demo data and benchmark databases).
//
// Call sequence:
//   WawiInserter::Transaktion tx(db);               // rolls back unless commit() is reached
//   WawiInserter ins(db, "Auftrag", options);       // all fields of the table under options
//   ins.add({{"Auftrag", 1}, {"Art", 4}, ...});     // by field name; missing fields get 0,
//   ...                                             // "" or NULL (dates, auto-increment)
//   if (!ins.flush()) ... ins.error();
//   tx.commit();
// Values for fields the table does not have under the options (optional fields left out) are
// dropped, so one set of rows fills both schema variants. add() sends a statement every
// rowsPerStatement rows; flush() sends the rest. The benchmark generator uses the positional
// form: row = leereZeile(); row[spalte("Art")] = 4; addZeile(row).

#include "dataaccess/wawischema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantHash>

class WawiInserter {
public:
    WawiInserter(QSqlDatabase& db, const QString& tabelle, const WawiSchemaOptions& options = {},
                 int rowsPerStatement = 200);
    ~WawiInserter() = default;
    WawiInserter(const WawiInserter&) = delete;
    WawiInserter& operator=(const WawiInserter&) = delete;

    bool add(const QVariantHash& row);
    // The fast form for many rows: column positions resolved once, rows in field order.
    int spalte(const QString& feld) const;  // -1 when the table lacks it under the options
    QVariantList leereZeile() const;        // the default of every field
    bool addZeile(const QVariantList& werte);
    bool flush();
    QString error() const { return error_; }
    qint64 rowsWritten() const { return written_; }

    // A database transaction that is rolled back unless commit() succeeded.
    class Transaktion {
    public:
        explicit Transaktion(QSqlDatabase& db);
        ~Transaktion();
        Transaktion(const Transaktion&) = delete;
        Transaktion& operator=(const Transaktion&) = delete;
        bool commit();

    private:
        QSqlDatabase& db_;
        bool open_ = false;
    };

private:
    QString statementFor(int rows) const;
    QVariant defaultFor(const WawiFeld& feld) const;

    QSqlDatabase& db_;
    QString tabelle_;
    QList<WawiFeld> felder_;
    WawiDialect dialect_;
    int rowsPerStatement_;
    QVariantList pending_;
    int pendingRows_ = 0;
    qint64 written_ = 0;
    QString fullStatement_;
    QSqlQuery fullQuery_;
    bool fullPrepared_ = false;
    QString error_;
};
