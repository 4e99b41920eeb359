#pragma once
// TableSql: the statement texts a Paradox-style table sends to the merchandise-management
// server, built without touching the server, so each text can be checked per dialect.
//
// A TQemTable fills one TableSql with its table name, dialect and SQL_* properties, gives it a
// column lookup (columnKind) and a dialect translation of SQL_WHERE (translate), and then asks
// for the opening SELECT, the key and range statements, the row limit, the fallback INSERT and
// UPDATE, the table statements and the change-log text. Everything is plain text in, text out.
//
// Dialects are SERVER_TYPE values (qemlayerstate.h); the primitives come from SqlDialect. Generated
// text names columns in brackets; MySQL turns them into backticks at the end, SQLite reads
// brackets as they are. MySQL and SQLite limit rows with LIMIT, the others with TOP; MySQL and
// SQLite test empty values with IFNULL, the others with ISNULL. Dates are written "yyyy-mm-dd"
// on MySQL and SQLite, "yyyymmdd" elsewhere when the server does not read German dates.

#include "dataaccess/sqldialect.h"
#include "dataaccess/tqemfield.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

// Classification of column types for statement text.
bool isQuotedKind(TFieldType kind);  // literals enclosed in "'"
bool isIntegerKind(TFieldType kind);
bool isMemoKind(TFieldType kind);

// One column of a row being posted: its old and new value as text.
struct PostColumn {
    QString name;
    TFieldType kind = ftString;
    QVariant oldValue;
    QVariant newValue;
};

// A column definition for CreateTable.
struct SqlFieldDef {
    QString name;
    TFieldType kind = ftString;
    int size = 0;
};

// An index definition for CreateTable and AddIndex.
struct SqlIndexDef {
    QString name;
    QString fields;  // separated by ";"
    bool primary = false;
};

// Thrown by ParseDateLenient on an impossible date.
class DateParseError : public std::exception {
public:
    explicit DateParseError(QString text) : text_(std::move(text)), bytes_(text_.toUtf8()) {}
    const char* what() const noexcept override { return bytes_.constData(); }
    QString text() const { return text_; }
private:
    QString text_;
    QByteArray bytes_;
};

// Short date dd.mm.yyyy first, then day.month.year, month/day/year, year-month-day.
QDate ParseDateLenient(const QString& text);

// Days since 30.12.1899 with the time as fraction, as the date-time values of the forms count.
double toDayNumber(const QDateTime& value);

class TableSql {
public:
    int serverType = -1;
    int convertDateLiterals = -1;  // 1: date literals in "yyyymmdd" forms
    QString tableName;
    QString sqlSelect;
    QString sqlSelectTabName;
    QString sqlWhere;
    QString sqlWhereLogig = QStringLiteral("AND");
    QString sqlOrder;
    QString sqlArtIn;
    QStringList sqlFulltext;
    bool noMandant = false;
    QString firstColumn;  // name of the table's first column, when known
    // Type of a column by name; nullopt when the table has no such column.
    std::function<std::optional<TFieldType>(const QString&)> columnKind;
    // Dialect translation applied to SQL_WHERE; identity when unset.
    std::function<QString(const QString&)> translate;

    // "Land.DB" gives "Land"; names without ".DB" stay as they are.
    static QString baseName(const QString& tableName);
    QString baseName() const { return baseName(tableName); }

    // "[Alias]." when SQL_SELECT is a join, else empty.
    QString columnPrefix() const;
    // "SELECT * FROM " + base name, or SQL_SELECT.
    QString selectStart() const;

    // Index field lists: ";" or "," separated, with or without brackets.
    static QString bracketedFields(const QString& fields);
    static QString plainFields(const QString& fields);
    static QStringList splitFields(const QString& fields);  // at most 10 names

    // The statement of Open: join prefix, detail restriction "=:" + master field, SQL_WHERE,
    // ORDER BY from the index or SQL_ORDER, backticks and the row limit.
    QString openStatement(const QString& indexFields, const QString& masterFields, int rowLimit) const;
    // " ORDER BY ..." from the index fields or SQL_ORDER ("<<": none).
    QString orderClause(const QString& indexFields) const;

    // Row limit: TOP n on SQL Server and Jet, LIMIT n on MySQL and SQLite; limit <= 0 removes it.
    static QString topSelect(const QString& statement, int limit, int serverType);

    // The text of a value as the forms show it ("1"/"0", "31.12.2024", "12.5"), unescaped.
    static QString valueText(const QVariant& value);
    // Value texts of key and range values.
    QString keyValueToText(const QVariantList& values, int index, bool nullFlag, bool dateFlag) const;
    static QString normalizeDateLiteral(const QString& text, int serverType);
    // "'" for columns of quoted types, "" otherwise; unknown columns are quoted unless NULL.
    QString fbegrenz(const QString& column, const QString& valueText) const;

    // Statements of GotoKeyValues and SetRange (complete, with ORDER BY, without row limit).
    // nearest (GotoNearest): the last value is a lower bound, a prefix on text columns
    // ([f] LIKE 'v%'), the first key at or after it on other columns ([f]>=v).
    QString keyStatement(const QString& indexFields, const QVariantList& values, bool nearest = false) const;
    QString rangeStatement(const QString& indexFields, const QVariantList& starts,
                           const QVariantList& ends, bool dateFlag) const;
    // The WHERE condition alone, for tests and callers that combine it.
    QString rangeCondition(const QString& indexFields, const QVariantList& starts,
                           const QVariantList& ends, bool dateFlag) const;
    // The statement with its WHERE and everything after it removed (CancelRange).
    static QString withoutWhere(const QString& statement);
    // The statement narrowed to one row by its first column (Refresh posit, key retrieval).
    QString narrowedToKey(const QString& statement, const QString& column, const QString& literal) const;

    // Literal of a value for fallback statements.
    static QString fieldToSqlLiteral(TFieldType kind, const QVariant& value, int serverType,
                                     int convertDateLiterals);
    QString fieldToSqlLiteral(TFieldType kind, const QVariant& value) const
    {
        return fieldToSqlLiteral(kind, value, serverType, convertDateLiterals);
    }

    // Fallback statements of a rejected post. skipFirst leaves out an auto-increment first column.
    QString fallbackInsert(const QList<PostColumn>& columns, bool skipFirst) const;
    // Empty when no column changed.
    QString fallbackUpdate(const QList<PostColumn>& columns) const;

    // Table statements.
    QString addIndexStatement(const QString& indexName, const QString& fields, bool sqlServerProvider) const;
    // The name an index is stored under: SQLite keeps index names per database, so there an
    // index N of table T is created as T_N.
    QString storedIndexName(const QString& indexName) const;
    QString deleteIndexStatement(const QString& indexName) const;
    QString deleteTableStatement(const QString& qualifiedName = QString()) const;
    QString emptyTableStatement() const;
    QString existsStatement() const;
    QString renameTableStatement(const QString& newName) const;
    static QString ownerQuery(const QString& name);
    QString createTableStatement(const QList<SqlFieldDef>& fields, bool hasIndexDefs, bool bdeConvert) const;
    QString sqlTypeForField(const SqlFieldDef& field, bool bdeConvert) const;
    // Key of a new row: the dialect's query for the last generated key.
    QString lastInsertIdQuery() const;
    QString insertTokenQuery(const QString& token) const;
    QString highestKeyQuery(const QString& column) const;

private:
    QString quotedName(const QString& name) const;  // "[x]" or "`x`"
    QString translated(const QString& text) const;
    QString combineWithWhere(const QString& conditions) const;
    QString rangeFieldCondition(const QString& field, const QString& s, const QString& e) const;
    QString rangeConditionOf(const QStringList& fields, const QString& indexFields, const QVariantList& starts,
                             const QVariantList& ends, bool dateFlag) const;
    QString orderClauseOf(const QStringList& names, const QString& indexFields) const;
    QString wordSearch(const QString& field, QString e, QChar separator) const;
    bool isArtIn(const QString& field) const;
    std::optional<TFieldType> kindOf(const QString& column) const;
    static QString delimiter(const std::optional<TFieldType>& kind, const QString& valueText);
    static QString replaceNullTests(QString statement, bool alsoQuoted);
};

// Change log of a row in Qem_CHANGE_LOG: "#~#" ends the creation entry, each change entry is
// header + "#@#" + changes + "#@@#". Kept below 60000 characters by dropping the oldest changes.
namespace changelog {
constexpr int maxLength = 60000;
QString creationEntry(const QDateTime& now, const QString& user, const QString& station);
QString stationText(const QString& station, const QString& suffix);
// The changes of an edit, "" when nothing changed (columns after the first).
QString collectChanges(const QList<PostColumn>& columns);
QString appendChange(const QString& oldLog, const QString& changes, const QDateTime& now,
                     const QString& user, const QString& station);
QString trimmed(QString log, const QString& changes, const QDateTime& now, const QString& user,
                const QString& station);
}  // namespace changelog

