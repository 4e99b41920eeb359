#pragma once
// TableMetadata: the column and index definitions of one base table, read from the server's own
// catalog (the hidden metadata table of a TQemTable). Loaded once per table name; the table asks
// it for index field lists, column types (quoting of key values) and the auto-increment column.
//
// Per dialect:
//   MySQL/MariaDB  SHOW FIELDS FROM `T` (types, "auto_increment" in Extra), SHOW INDEX FROM `T`
//   SQLite         PRAGMA table_info, PRAGMA index_list, PRAGMA index_info
//   SQL Server     the catalog views sys.indexes / sys.index_columns / sys.columns (indexQuery)
//   Jet            the driver's primary index only (named indexes need ODBC statistics)
//
// Index names on SQLite. SQLite keeps index names per database, not per table, so several
// tables cannot each have an index called DEFAULT or was. Convention of this system (demo
// schema, AddIndex, IndexFieldList): an index N of table T is stored as N or as T_N; a lookup by
// IndexName accepts both, ignoring case. DEFAULT (or an empty IndexName) falls back to the
// primary key when no index of that name exists; an INTEGER PRIMARY KEY has no entry in
// PRAGMA index_list and is read from PRAGMA table_info. MariaDB stores N as it is; its primary
// key is the index PRIMARY.

#include "dataaccess/tqemfield.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

struct TableIndexInfo {
    QString name;        // as stored on the server
    QStringList fields;  // in key order
    bool primary = false;
    bool unique = false;
};

struct TableColumnInfo {
    QString name;
    TFieldType type = ftUnknown;
    int size = 0;
    bool autoIncrement = false;
};

class TableMetadata {
public:
    // Reads columns and indexes of baseName. note() receives each statement sent (the
    // connection's statement log). Returns false (and leaves the lists empty) on a failure.
    bool load(const QSqlDatabase& db, int serverType, const QString& baseName,
              const std::function<void(const QString&)>& note = {});
    void clear();
    bool isLoaded() const { return loaded_; }
    QString baseName() const { return baseName_; }

    const QList<TableColumnInfo>& columns() const { return columns_; }
    const QList<TableIndexInfo>& indexes() const { return indexes_; }
    // The catalog query of SQL Server, also shown in tests.
    static QString indexQuery(int serverType, const QString& baseName);

    // By IndexName: N or T_N, any case; DEFAULT or empty falls back to the primary key.
    const TableIndexInfo* findIndex(const QString& indexName) const;
    const TableIndexInfo* primaryIndex() const;
    const TableColumnInfo* column(const QString& name) const;  // any case
    std::optional<TFieldType> kindOf(const QString& name) const;
    bool firstIsAutoIncrement() const { return !columns_.isEmpty() && columns_.first().autoIncrement; }

    // For tests and the Jet path: set the lists directly.
    void setDefinitions(const QString& baseName, QList<TableColumnInfo> columns, QList<TableIndexInfo> indexes);

private:
    bool loadMySql(const QSqlDatabase& db, const std::function<void(const QString&)>& note);
    bool loadSqlite(const QSqlDatabase& db, const std::function<void(const QString&)>& note);
    bool loadSqlServer(const QSqlDatabase& db, const std::function<void(const QString&)>& note);
    bool loadFromDriver(const QSqlDatabase& db);
    void addIndexField(const QString& index, const QString& field, bool primary, bool unique);

    QString baseName_;
    QList<TableColumnInfo> columns_;
    QList<TableIndexInfo> indexes_;
    bool loaded_ = false;
};
