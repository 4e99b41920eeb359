#pragma once
// Item model over one SELECT that reads its rows lazily, a page at a time.
//
// The journal can hold a million bookings; the model never loads the table. It counts the rows
// once (COUNT(*) over the statement) and fetches pages of pageSize() rows in the order of a
// unique key field: a page next to a cached one is read by key ("key > last key of the page
// before"), any other page by LIMIT/OFFSET counted from the nearer end. At most maxPages()
// pages are kept. The statement is wrapped as a sub-select, so it must be a plain SELECT
// without ORDER BY or LIMIT of its own.
//
// A search result is read with Reading::KeysFirst instead: one pass over the statement collects
// the (integer) keys of all its rows, so the condition is evaluated once per booking, and every
// page is then read by the keys of its rows. The journal itself keeps Reading::Counted, which
// needs no pass over the table at all.
//
// Call sequence: setColumns(), setSource(database, statement, keyField); then the view reads
// rowCount()/data(); record(row) gives every field of a row. refresh() re-counts and drops the
// cache (after deletes or an import). With setEditTable() and setEditable(true) cells are
// editable; setData() writes the field of that row by key with a bound UPDATE.
//
// Display: fields from the second on whose type is a floating-point number are shown with
// DisplayFormat::journalNumber(); dates as dd.MM.yyyy; rows whose field "Export" is true are
// drawn in grey (C0C0C0); even rows (0-based) get the background E9E9E9, odd rows white.

#include "grid/gridcolumns.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QVariant>
#include <QVector>

#include <functional>

class QSqlQuery;

class SqlPageModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Reading { Counted, KeysFirst };

    explicit SqlPageModel(QObject* parent = nullptr);

    void setColumns(const GridColumns& columns);
    const GridColumns& columns() const { return columns_; }

    // False (and an empty model) when the statement cannot be run; lastError() says why.
    bool setSource(const QSqlDatabase& database, const QString& selectStatement,
                   const QString& keyField, Reading reading = Reading::Counted);
    QString statement() const { return statement_; }
    QString keyField() const { return keyField_; }
    QString lastError() const { return lastError_; }
    QSqlDatabase database() const { return database_; }

    void setEditTable(const QString& table) { editTable_ = table; }
    void setEditable(bool editable) { editable_ = editable; }
    bool isEditable() const { return editable_; }
    // Converts an edited text into the value stored in a number field; by default the German
    // locale's reading.
    void setNumberReader(std::function<double(const QString&)> reader) { numberReader_ = std::move(reader); }

    void refresh();

    // Every field of the row (empty record for a row out of range).
    QSqlRecord record(int row) const;
    QVariant value(int row, const QString& fieldName) const;
    QVariant key(int row) const;
    // Row showing the key, or the row where it would stand (for keeping the position).
    int rowOfKey(const QVariant& key) const;
    // The shown text of a cell, as the grid draws it (also used by the office exports).
    QString cellText(int row, int column) const;
    // Field structure of the statement.
    QSqlRecord fields() const { return fields_; }

    static int pageSize() { return 128; }
    static int maxPages() { return 48; }
    // Page statements run so far (for the benchmark).
    int pageReads() const { return pageReads_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    using Row = QVector<QVariant>;
    struct Page {
        QVector<Row> rows;
    };

    const Row* rowAt(int row) const;
    const Page* page(int number) const;
    bool readPage(int number, Page& page) const;
    bool readKeys(QSqlQuery& query);
    bool countRows(QSqlQuery& query);
    bool runPageQuery(const QString& sql, const QVariantList& values, bool reversed,
                      Page& page) const;
    void mapColumns();
    bool isNumberField(int fieldIndex, const QVariant& value) const;
    QString displayText(int fieldIndex, const QVariant& value) const;

    GridColumns columns_;
    QSqlDatabase database_;
    QString statement_;
    QString keyField_;
    Reading reading_ = Reading::Counted;
    QVector<qint64> keys_;  // Reading::KeysFirst: the key of every row, ascending
    QString editTable_;
    QString lastError_;
    QSqlRecord fields_;
    QVector<int> columnField_;  // per column: index into fields_, -1 when absent
    int keyIndex_ = -1;
    int exportIndex_ = -1;
    int rowCount_ = 0;
    bool editable_ = false;
    std::function<double(const QString&)> numberReader_;
    mutable QHash<int, Page> pages_;
    mutable QList<int> recent_;  // page numbers, most recently used last
    mutable int pageReads_ = 0;
};
