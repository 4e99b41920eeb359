#include "dataaccess/sqldialect.h"

#include <algorithm>

QString SqlDialect::quoteIdentifier(const QString& name) const
{
    QString inner = name;
    const QString close(closeQuote());
    inner.replace(close, close + close);
    return openQuote() + inner + closeQuote();
}

QString SqlDialect::bracketsToNative(const QString& sql) const
{
    if (!isMySql())
        return sql;
    QString result = sql;
    result.replace(QLatin1Char('['), QLatin1Char('`'));
    result.replace(QLatin1Char(']'), QLatin1Char('`'));
    return result;
}

QString SqlDialect::escapeString(const QString& text) const
{
    QString result = text;
    if (isMySql())
        result.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    result.replace(QLatin1Char('\''), QLatin1String("''"));
    return result;
}

QString SqlDialect::quoteString(const QString& text) const
{
    return QLatin1Char('\'') + escapeString(text) + QLatin1Char('\'');
}

QString SqlDialect::dateText(const QDate& date) const
{
    return date.toString(usesLimit() ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyyMMdd"));
}

QString SqlDialect::dateTimeText(const QDateTime& dateTime) const
{
    return dateText(dateTime.date()) + QLatin1Char(' ') + timeText(dateTime.time());
}

QString SqlDialect::timeText(const QTime& time)
{
    return time.toString(QStringLiteral("hh:mm:ss"));
}

QString SqlDialect::dateLiteral(const QDate& date) const
{
    return QLatin1Char('\'') + dateText(date) + QLatin1Char('\'');
}

QString SqlDialect::dateTimeLiteral(const QDateTime& dateTime) const
{
    return QLatin1Char('\'') + dateTimeText(dateTime) + QLatin1Char('\'');
}

QString SqlDialect::timeLiteral(const QTime& time) const
{
    return QLatin1Char('\'') + timeText(time) + QLatin1Char('\'');
}

QString SqlDialect::nullFunction() const
{
    return usesLimit() ? QStringLiteral("IFNULL") : QStringLiteral("ISNULL");
}

QString SqlDialect::topSelect(const QString& sql, int limit) const
{
    const auto find = [&sql](const char* word) { return findKeyword(sql, QLatin1String(word)); };
    if (find("select") < 0)
        return sql;
    if (usesLimit()) {
        // An existing clause is cut after the blank in front of "limit".
        const qsizetype at = find(" limit ");
        QString result = at >= 0 ? sql.left(at + 1) : sql;
        if (limit > 0)
            result += QStringLiteral(" LIMIT ") + QString::number(limit);
        return result;
    }
    const qsizetype from = find(" from ");
    qsizetype listStart;
    const qsizetype top = find(" top ");
    if (top >= 0 && (from < 0 || top + 5 <= from)) {
        qsizetype pos = top + 5;
        while (pos < sql.size() && sql.at(pos) == QLatin1Char(' '))
            ++pos;
        while (pos < sql.size() && sql.at(pos) != QLatin1Char(' '))
            ++pos;  // the number
        listStart = pos + 1;
    } else {
        listStart = find("select") + 7;
    }
    const QString rest = sql.mid(listStart);
    if (limit > 0)
        return QStringLiteral("SELECT TOP ") + QString::number(limit) + QLatin1Char(' ') + rest;
    return QStringLiteral("SELECT ") + rest;
}

QString SqlDialect::lastInsertIdQuery() const
{
    switch (type_) {
    case stMySql:
        return QStringLiteral("SELECT LAST_INSERT_ID()");
    case stSQLite:
        return QStringLiteral("SELECT last_insert_rowid()");
    default:
        return QStringLiteral("SELECT @@IDENTITY");
    }
}

qsizetype SqlDialect::findKeyword(const QString& text, QLatin1String word, qsizetype from)
{
    const auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    const qsizetype n = word.size();
    const char16_t* t = reinterpret_cast<const char16_t*>(text.constData());
    for (qsizetype i = std::max<qsizetype>(from, 0); i + n <= text.size(); ++i) {
        qsizetype k = 0;
        while (k < n && fold(t[i + k]) == fold(char16_t(uchar(word.at(k).toLatin1()))))
            ++k;
        if (k == n)
            return i;
    }
    return -1;
}
