#pragma once
// What differs per SQL dialect of the merchandise-management database (and the local SQLite
// database): identifier quoting, string and date literals, the row limit (TOP or LIMIT), the
// null-replacement function and the last-insert-id question.
//
// Values that end up inside statement text go through quoteString(): a quote (and on MySQL a
// backslash) in the data can never end the literal. Our own statements bind values instead.
//
//   SqlDialect d(QemState::CurrentServerType);
//   QString sql = "SELECT * FROM " + d.quoteIdentifier("Land") + " WHERE Name=" + d.quoteString(n);
//   sql = d.topSelect(sql, 50);

#include "dataaccess/qemlayerstate.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

class SqlDialect {
public:
    explicit SqlDialect(int serverType = QemState::CurrentServerType) : type_(serverType) {}

    int serverType() const { return type_; }
    bool isMySql() const { return type_ == stMySql; }
    bool isSQLite() const { return type_ == stSQLite; }
    // MySQL and SQLite limit rows with LIMIT, the others with TOP.
    bool usesLimit() const { return type_ == stMySql || type_ == stSQLite; }

    // [name] or `name` on MySQL; a closing quote character inside the name is doubled.
    QString quoteIdentifier(const QString& name) const;
    QChar openQuote() const { return isMySql() ? QLatin1Char('`') : QLatin1Char('['); }
    QChar closeQuote() const { return isMySql() ? QLatin1Char('`') : QLatin1Char(']'); }
    // MySQL: every "[" and "]" becomes a backtick; other dialects: unchanged.
    QString bracketsToNative(const QString& sql) const;

    // The text with every ' doubled, on MySQL also every backslash doubled (no enclosing quotes).
    QString escapeString(const QString& text) const;
    // 'text', escaped as above.
    QString quoteString(const QString& text) const;

    // Unquoted date texts: "yyyy-MM-dd" on MySQL and SQLite, else "yyyyMMdd"; times "hh:mm:ss".
    QString dateText(const QDate& date) const;
    QString dateTimeText(const QDateTime& dateTime) const;
    static QString timeText(const QTime& time);
    // The same enclosed in "'".
    QString dateLiteral(const QDate& date) const;
    QString dateTimeLiteral(const QDateTime& dateTime) const;
    QString timeLiteral(const QTime& time) const;

    // "ISNULL" on SQL Server and Jet, "IFNULL" on MySQL and SQLite.
    QString nullFunction() const;

    // The row limit applied to a statement: only texts that contain "select" change. LIMIT
    // dialects cut an existing " limit " clause and append " LIMIT n" for n > 0; the others
    // rebuild "SELECT [TOP n ]..." replacing an existing TOP clause. n <= 0 means no limit.
    QString topSelect(const QString& sql, int limit) const;

    // The question for the key of the row just inserted.
    QString lastInsertIdQuery() const;

    // Position of an ASCII keyword in statement text ignoring case, -1 when absent. Faster than
    // QString::indexOf with Qt::CaseInsensitive, which folds every character through Unicode.
    static qsizetype findKeyword(const QString& text, QLatin1String word, qsizetype from = 0);

private:
    int type_;
};
