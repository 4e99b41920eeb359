#define QT_USE_QSTRINGBUILDER  // statement texts are long chains of small pieces

#include "dataaccess/tablesql.h"

#include <QRegularExpression>
#include <QTime>

namespace {

const QChar kWordEnd(0x7F);

bool isMySql(int serverType) { return serverType == stMySql; }
bool isSqlite(int serverType) { return serverType == stSQLite; }
// Dialects that read ISO date literals "yyyy-mm-dd".
bool isoDates(int serverType) { return serverType == stMySql || serverType == stSQLite; }
QString toBackticks(const QString& text) { return SqlDialect(stMySql).bracketsToNative(text); }  // the character 127 that ends a prefix or word search

QString dateText(const QDate& d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }
QString dateTimeText(const QDateTime& dt) { return dt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")); }

// The text of a value as the forms see it: integers decimal, Booleans 0 and 1, dates in the
// short German forms. Floating-point values always with "." so that they read as SQL numbers.
QString valueText(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::QDate:
        return dateText(v.toDate());
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0) ? dateText(dt.date()) : dateTimeText(dt);
    }
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QByteArray:
        return QString::fromUtf8(v.toByteArray());
    default:
        break;
    }
    if (v.canConvert<QString>())
        return v.toString();
    return QString::fromLatin1(v.typeName());
}

// A date-time value in the German forms the users and the forms write.
std::optional<QDateTime> parseSystemDateTime(const QString& text)
{
    const QString t = text.trimmed();
    for (const char* fmt : {"d.M.yyyy H:mm:ss", "d.M.yyyy H:mm", "d.M.yyyy"}) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(fmt));
        if (dt.isValid())
            return dt;
    }
    for (const char* fmt : {"H:mm:ss", "H:mm"}) {
        const QTime tm = QTime::fromString(t, QString::fromLatin1(fmt));
        if (tm.isValid())
            return QDateTime(QDate(1899, 12, 30), tm);
    }
    return std::nullopt;
}

[[noreturn]] void throwNoDate(const QString& text)
{
    throw DateParseError(QStringLiteral("'%1' ist kein gültiges Datum").arg(text));
}

int datePart(const QStringList& parts, int i, const QString& text)
{
    bool ok = false;
    const int n = parts.value(i).trimmed().toInt(&ok);
    if (!ok)
        throwNoDate(text);
    return n;
}

QDate builtDate(int year, int month, int day, const QString& text)
{
    if (year >= 0 && year < 100)
        year += 2000;
    const QDate d(year, month, day);
    if (!d.isValid())
        throwNoDate(text);
    return d;
}

bool startsWithDigit(const QString& s) { return !s.isEmpty() && s.at(0).isDigit(); }

// Conditions joined by an operator, each without its leading blank: "(a=1) AND (b=2)".
QString joinConditions(const QStringList& conditions, const QString& op)
{
    QStringList trimmed;
    for (const QString& c : conditions)
        trimmed << c.trimmed();
    return trimmed.join(op);
}

}  // namespace

bool isQuotedKind(TFieldType kind)
{
    switch (kind) {
    case ftString: case ftFixedChar: case ftWideString:
    case ftMemo: case ftFmtMemo: case ftVariant:
    case ftDate: case ftTime: case ftDateTime:
        return true;
    default:
        return false;
    }
}

bool isIntegerKind(TFieldType kind)
{
    return kind == ftSmallint || kind == ftInteger || kind == ftWord
        || kind == ftAutoInc || kind == ftLargeint;
}

bool isMemoKind(TFieldType kind)
{
    return kind == ftMemo || kind == ftFmtMemo;
}

double toDayNumber(const QDateTime& value)
{
    return double(QDate(1899, 12, 30).daysTo(value.date())) + value.time().msecsSinceStartOfDay() / 86400000.0;
}

QDate ParseDateLenient(const QString& text)
{
    const QString t = text.trimmed();
    const QDate direct = QDate::fromString(t, QStringLiteral("d.M.yyyy"));
    if (direct.isValid())
        return direct;
    if (t.contains(QLatin1Char('.'))) {
        const QStringList p = t.split(QLatin1Char('.')).mid(0, 10);
        if (p.size() >= 3)
            return builtDate(datePart(p, 2, text), datePart(p, 1, text), datePart(p, 0, text), text);
    } else if (t.contains(QLatin1Char('/'))) {
        // The short date format begins with the day, so day/month/year.
        const QStringList p = t.split(QLatin1Char('/')).mid(0, 10);
        if (p.size() >= 3)
            return builtDate(datePart(p, 2, text), datePart(p, 1, text), datePart(p, 0, text), text);
    } else if (t.contains(QLatin1Char('-'))) {
        const QStringList p = t.split(QLatin1Char('-')).mid(0, 10);
        if (p.size() >= 3)
            return builtDate(datePart(p, 0, text), datePart(p, 1, text), datePart(p, 2, text), text);
    }
    const auto dt = parseSystemDateTime(t);
    if (!dt || dt->date() == QDate(1899, 12, 30))
        throwNoDate(text);
    return dt->date();
}

// ---------------------------------------------------------------------------------------------
// Names and lists

QString TableSql::baseName(const QString& tableName)
{
    if (SqlDialect::findKeyword(tableName, QLatin1String(".DB")) >= 0)
        return tableName.left(tableName.size() - 3);
    return tableName;
}

QString TableSql::columnPrefix() const
{
    if (sqlSelect.isEmpty() || !sqlSelect.toLower().contains(QLatin1String(" join ")))
        return {};
    const QString alias = sqlSelectTabName.trimmed().isEmpty() ? baseName() : sqlSelectTabName.trimmed();
    return QLatin1Char('[') + alias + QLatin1String("].");
}

QString TableSql::selectStart() const
{
    return sqlSelect.isEmpty() ? QLatin1String("SELECT * FROM ") + baseName() : sqlSelect;
}

QStringList TableSql::splitFields(const QString& fields)
{
    QStringList out;
    for (const QString& part : QString(fields).replace(QLatin1Char(','), QLatin1Char(';')).split(QLatin1Char(';'))) {
        const QString name = part.trimmed();
        if (!name.isEmpty())
            out << name;
        if (out.size() == 10)
            break;
    }
    return out;
}

QString TableSql::bracketedFields(const QString& fields)
{
    QString list = QString(fields).replace(QLatin1Char(';'), QLatin1Char(','));
    if (list.contains(QLatin1Char('[')))
        return list;
    const QStringList names = splitFields(list);
    return names.isEmpty() ? QString() : QLatin1Char('[') + names.join(QLatin1String("],[")) + QLatin1Char(']');
}

QString TableSql::plainFields(const QString& fields)
{
    QString list = QString(fields).replace(QLatin1Char(';'), QLatin1Char(','));
    list.remove(QLatin1Char('['));
    list.remove(QLatin1Char(']'));
    return list;
}

QString TableSql::quotedName(const QString& name) const
{
    return isMySql(serverType) ? QLatin1Char('`') + name + QLatin1Char('`')
                                        : QLatin1Char('[') + name + QLatin1Char(']');
}

QString TableSql::translated(const QString& text) const
{
    return translate ? translate(text) : text;
}

std::optional<TFieldType> TableSql::kindOf(const QString& column) const
{
    if (!columnKind)
        return std::nullopt;
    try {
        return columnKind(column);
    } catch (...) {
        return std::nullopt;
    }
}

bool TableSql::isArtIn(const QString& field) const
{
    return !sqlArtIn.isEmpty() && field.compare(QLatin1String("ART"), Qt::CaseInsensitive) == 0;
}

// ---------------------------------------------------------------------------------------------
// Opening and row limit

QString TableSql::orderClause(const QString& indexFields) const
{
    return orderClauseOf(sqlOrder.isEmpty() ? splitFields(plainFields(indexFields)) : QStringList(), indexFields);
}

// names: the plain key fields of indexFields (split once by the caller).
QString TableSql::orderClauseOf(const QStringList& names, const QString& indexFields) const
{
    if (sqlOrder.isEmpty()) {
        if (names.isEmpty())
            return {};
        QString list = indexFields.contains(QLatin1Char('[')) ? bracketedFields(indexFields)
                                                               : QLatin1Char('[') + names.join(QLatin1String("],[")) + QLatin1Char(']');
        const QString p = columnPrefix();
        if (!p.isEmpty()) {
            QStringList prefixed;
            for (const QString& f : list.split(QLatin1Char(',')))
                prefixed << p + f;
            list = prefixed.join(QLatin1Char(','));
        }
        return QLatin1String(" ORDER BY ") + list;
    }
    if (sqlOrder != QLatin1String("<<"))
        return QLatin1String(" ORDER BY ") + sqlOrder;
    return {};
}

QString TableSql::openStatement(const QString& indexFields, const QString& masterFields, int rowLimit) const
{
    QString stmt = selectStart();
    const QString p = columnPrefix();
    if (!masterFields.trimmed().isEmpty()) {
        const QString first = splitFields(plainFields(indexFields)).value(0);
        stmt += QLatin1String(" WHERE ") + p + first + QLatin1String("=:") + masterFields.trimmed();
        if (!sqlWhere.trimmed().isEmpty())
            stmt += QLatin1Char(' ') + sqlWhereLogig + QLatin1String(" (") + translated(sqlWhere) + QLatin1Char(')');
    } else if (!sqlWhere.trimmed().isEmpty()) {
        stmt += QLatin1String(" WHERE ") + translated(sqlWhere);
    }
    stmt += orderClause(indexFields);
    if (isMySql(serverType))
        stmt = toBackticks(stmt);
    const bool hasLimit = SqlDialect::findKeyword(stmt, SqlDialect(serverType).usesLimit() ? QLatin1String(" limit ")
                                                                                        : QLatin1String(" top ")) >= 0;
    return hasLimit ? stmt : topSelect(stmt, rowLimit, serverType);
}

QString TableSql::topSelect(const QString& statement, int limit, int serverType)
{
    return SqlDialect(serverType).topSelect(statement, limit);
}

// ---------------------------------------------------------------------------------------------
// Value texts

QString TableSql::valueText(const QVariant& value)
{
    return ::valueText(value);
}

QString TableSql::keyValueToText(const QVariantList& values, int index, bool nullFlag, bool dateFlag) const
{
    const QVariant v = values.value(index);
    // Backslash (MySQL) and quote are the escapes inside a string literal; backticks and double
    // quotes stand for themselves there and are left alone.
    // Numbers, Booleans and dates hold no quote or backslash: only texts need escaping.
    const int type = v.typeId();
    const bool plain = type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::UInt
        || type == QMetaType::ULongLong || type == QMetaType::Bool || type == QMetaType::Double;
    const QString text = plain ? valueText(v) : SqlDialect(serverType).escapeString(valueText(v));
    const bool ansi = v.typeId() == QMetaType::QByteArray;
    if (nullFlag && text.isEmpty())
        return ansi ? text : QStringLiteral("NULL");
    const bool isDateValue = v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
    if ((dateFlag || isDateValue) && (isoDates(serverType) || convertDateLiterals == 1))
        return normalizeDateLiteral(text, serverType);
    return text;
}

QString TableSql::normalizeDateLiteral(const QString& text, int serverType)
{
    if (text.size() <= 4 || !startsWithDigit(text)
        || !(text.count(QLatin1Char('.')) == 2 || text.count(QLatin1Char(':')) == 2))
        return text;
    try {
        QDateTime dt;
        if (const auto parsed = parseSystemDateTime(text))
            dt = *parsed;
        else
            dt = QDateTime(ParseDateLenient(text), QTime(0, 0));
        const double d = toDayNumber(dt);
        const bool iso = isoDates(serverType);
        const bool hasColon = text.contains(QLatin1Char(':'));
        if (d > 0 && dt.time() == QTime(0, 0) && text.size() > 6)
            return dt.toString(iso ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyyMMdd"));
        if (d > -1 && d < 1 && hasColon)
            return dt.toString(QStringLiteral("hh:mm"));
        if (d > 0 && text.size() > 10 && hasColon)
            return dt.toString(iso ? QStringLiteral("yyyy-MM-dd hh:mm:ss") : QStringLiteral("yyyyMMdd hh:mm:ss"));
        return text;
    } catch (...) {
        return text;
    }
}

QString TableSql::fbegrenz(const QString& column, const QString& valueText) const
{
    return delimiter(kindOf(column), valueText);
}

QString TableSql::delimiter(const std::optional<TFieldType>& kind, const QString& valueText)
{
    if (kind)
        return isQuotedKind(*kind) ? QStringLiteral("'") : QString();
    return valueText == QLatin1String("NULL") ? QString() : QStringLiteral("'");
}

// ---------------------------------------------------------------------------------------------
// Key and range statements

QString TableSql::replaceNullTests(QString statement, bool alsoQuoted)
{
    statement.replace(QLatin1String("=)"), QLatin1String(" IS NULL)"));
    statement.replace(QLatin1String("=NULL"), QLatin1String(" IS NULL"));
    if (alsoQuoted)
        statement.replace(QLatin1String("='NULL'"), QLatin1String(" IS NULL"));
    return statement;
}

QString TableSql::combineWithWhere(const QString& conditions) const
{
    if (sqlWhere.trimmed().isEmpty())
        return conditions;
    const QString w = QLatin1Char('(') + translated(sqlWhere) + QLatin1Char(')');
    return conditions.isEmpty() ? w : w + QLatin1Char(' ') + sqlWhereLogig + QLatin1String(" (") + conditions + QLatin1Char(')');
}

QString TableSql::keyStatement(const QString& indexFields, const QVariantList& values, bool nearest) const
{
    QString stmt = selectStart();
    const QString p = columnPrefix();
    const QStringList fields = splitFields(plainFields(indexFields));
    if (!fields.isEmpty()) {
        QStringList conds;
        for (int i = 0; i < fields.size() && i < values.size(); ++i) {
            const QString& f = fields.at(i);
            if (noMandant && f.toUpper() == QLatin1String("MANDANT"))
                continue;
            const QString col = p + QLatin1Char('[') + f + QLatin1Char(']');
            if (isArtIn(f)) {
                conds << QLatin1String(" (") + col + QLatin1String(" IN (") + sqlArtIn + QLatin1String(") )");
                continue;
            }
            const QString v = keyValueToText(values, i, false, false);
            const QString d = fbegrenz(f, v);
            if (nearest && i == values.size() - 1 && !v.isEmpty()) {
                // A "%" after a number would be a syntax error, and "=" never matches a pattern.
                conds << (d.isEmpty() ? QString(QLatin1String(" (") + col + QLatin1String(">=") + v + QLatin1Char(')'))
                                      : QString(QLatin1String(" (") + col + QLatin1String(" LIKE ") + d + v + QLatin1Char('%') + d
                                                + QLatin1Char(')')));
                continue;
            }
            conds << QLatin1String(" (") + col + QLatin1Char('=') + d + v + d + QLatin1Char(')');
        }
        const QString restriction = combineWithWhere(joinConditions(conds, QStringLiteral(" AND ")));
        if (!restriction.isEmpty())
            stmt += QLatin1String(" WHERE ") + restriction;
        stmt = replaceNullTests(stmt, false);
    } else if (!values.isEmpty()) {
        stmt += QLatin1String(" WHERE ") + p + firstColumn + QLatin1String(" = ") + keyValueToText(values, 0, false, false);
    }
    stmt += orderClause(indexFields);
    return isMySql(serverType) ? toBackticks(stmt) : stmt;
}

QString TableSql::wordSearch(const QString& field, QString e, QChar separator) const
{
    const QString col = columnPrefix() + QLatin1Char('[') + field + QLatin1Char(']');
    const QString d = fbegrenz(field, e);
    const QString likeAll = QLatin1String(" (") + col + QLatin1String(" LIKE ") + d
        + QString(e).replace(kWordEnd, QLatin1Char('%')) + d + QLatin1Char(')');
    QStringList words;
    for (const QString& w : QString(e).replace(kWordEnd, separator).split(separator).mid(0, 15)) {
        if (!w.trimmed().isEmpty())
            words << w.trimmed();
    }
    if (words.isEmpty())
        return likeAll;
    const bool all = separator == QLatin1Char('*');
    if (isMySql(serverType) && sqlFulltext.contains(field, Qt::CaseInsensitive)) {
        // Boolean mode: "+" makes each word required; without it any word matches.
        QString against;
        for (const QString& w : words)
            against += (all ? QLatin1String(" +") : QLatin1String(" ")) + w;
        return QLatin1String(" MATCH(") + col + QLatin1String(") AGAINST('") + against + QLatin1String("' IN BOOLEAN MODE)");
    }
    QStringList likes;
    for (const QString& w : words)
        likes << QLatin1String(" (") + col + QLatin1String(" LIKE ") + d + QLatin1Char('%') + w + QLatin1Char('%') + d + QLatin1Char(')');
    return QLatin1Char('(') + joinConditions(likes, all ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) + QLatin1Char(')');
}

QString TableSql::rangeFieldCondition(const QString& f, const QString& s, const QString& e) const
{
    const QString p = columnPrefix();
    const QString col = p + QLatin1Char('[') + f + QLatin1Char(']');
    const auto kind = kindOf(f);
    if (s == e) {
        if (isArtIn(f))
            return QLatin1String(" (") + col + QLatin1String(" IN (") + sqlArtIn + QLatin1String(") )");
        if (s == QLatin1String("NULL") && kind && isQuotedKind(*kind)) {
            // An empty text matches empty and missing values alike.
            return QLatin1String(" ( ") + SqlDialect(serverType).nullFunction() + QLatin1Char('(') + p + QLatin1Char('[') + f
                + QLatin1String("],'')=''") + QLatin1Char(')');
        }
        const QString d = delimiter(kind, s);
        return QLatin1String(" (") + col + QLatin1Char('=') + d + s + d + QLatin1Char(')');
    }
    if (e.contains(kWordEnd)) {
        if (e.contains(QLatin1Char('*')))
            return wordSearch(f, e, QLatin1Char('*'));
        if (e.contains(QLatin1Char('~')))
            return wordSearch(f, e, QLatin1Char('~'));
        if (e == QString(kWordEnd))
            return {};
        const QString d = delimiter(kind, e);
        QString pattern = e;
        pattern.replace(pattern.indexOf(kWordEnd), 1, QLatin1Char('%'));
        return QLatin1String(" (") + col + QLatin1String(" LIKE ") + d + pattern + d + QLatin1Char(')');
    }
    QString start = s;
    if (const int nul = start.indexOf(QChar(0)); nul >= 0)
        start.remove(nul, 1);
    const QString ds = delimiter(kind, start);
    const QString de = delimiter(kind, e);
    QString cond = QLatin1Char('(') + col + QLatin1String(" BETWEEN ") + ds + start + ds + QLatin1String(" AND ") + de + e + de;
    if (isArtIn(f))
        cond += QLatin1String(" OR (") + col + QLatin1String(" IN (") + sqlArtIn + QLatin1String(")) ");
    return cond + QLatin1Char(')');
}

QString TableSql::rangeCondition(const QString& indexFields, const QVariantList& starts,
                                 const QVariantList& ends, bool dateFlag) const
{
    return rangeConditionOf(splitFields(plainFields(indexFields)), indexFields, starts, ends, dateFlag);
}

QString TableSql::rangeConditionOf(const QStringList& fields, const QString& indexFields, const QVariantList& starts,
                                   const QVariantList& ends, bool dateFlag) const
{
    const auto has = [&](const char* word) { return SqlDialect::findKeyword(indexFields, QLatin1String(word)) >= 0; };
    const bool dates = dateFlag || has("DATUM") || has("ZEIT") || has("TERMIN") || has("UPDATE");
    QStringList conds;
    for (int i = 0; i < fields.size() && i < starts.size(); ++i) {
        const QString& f = fields.at(i);
        if (noMandant && f.toUpper() == QLatin1String("MANDANT"))
            continue;
        const QString s = keyValueToText(starts, i, true, dates);
        const QString e = i < ends.size() ? keyValueToText(ends, i, true, dates) : s;
        const QString cond = rangeFieldCondition(f, s, e);
        if (!cond.isEmpty())
            conds << cond;
    }
    if (sqlWhere.startsWith(QLatin1String("<<")))
        return QLatin1Char('(') + translated(sqlWhere.mid(2)) + QLatin1Char(')');
    return combineWithWhere(joinConditions(conds, QStringLiteral(" AND ")));
}

QString TableSql::rangeStatement(const QString& indexFields, const QVariantList& starts,
                                 const QVariantList& ends, bool dateFlag) const
{
    QString stmt = selectStart();
    const QStringList fields = splitFields(plainFields(indexFields));
    if (!fields.isEmpty()) {
        const QString restriction = rangeConditionOf(fields, indexFields, starts, ends, dateFlag);
        if (!restriction.isEmpty())
            stmt += QLatin1String(" WHERE ") + restriction;
        stmt = replaceNullTests(stmt, true);
    } else if (!starts.isEmpty()) {
        const QString s = keyValueToText(starts, 0, false, false);
        const QString e = ends.isEmpty() ? s : keyValueToText(ends, 0, false, false);
        stmt += QLatin1String(" WHERE ") + columnPrefix() + firstColumn
            + (s == e ? QString(QLatin1String(" = ") + s) : QString(QLatin1String(" BETWEEN ") + s + QLatin1String(" AND ") + e));
    }
    stmt += orderClauseOf(fields, indexFields);
    return isMySql(serverType) ? toBackticks(stmt) : stmt;
}

QString TableSql::withoutWhere(const QString& statement)
{
    const int at = statement.toLower().indexOf(QLatin1String("where"));
    return at >= 0 ? statement.left(at).trimmed() : statement;
}

QString TableSql::narrowedToKey(const QString& statement, const QString& column, const QString& literal) const
{
    const QString lower = statement.toLower();
    int cut = lower.indexOf(QLatin1String("where"));
    if (cut < 0)
        cut = lower.indexOf(QLatin1String("order by"));
    const QString head = (cut >= 0 ? statement.left(cut) : statement).trimmed();
    return head + QLatin1String(" WHERE ") + columnPrefix() + quotedName(column) + QLatin1Char('=') + literal;
}

// ---------------------------------------------------------------------------------------------
// Literals and fallback statements

QString TableSql::fieldToSqlLiteral(TFieldType kind, const QVariant& value, int serverType, int convertDateLiterals)
{
    const bool mysql = isMySql(serverType);
    QString text = valueText(value);
    if (text.isEmpty())
        return QStringLiteral("NULL");
    const bool dateKind = kind == ftDate || kind == ftDateTime || kind == ftTime;
    if (dateKind && (isoDates(serverType) || convertDateLiterals == 1)) {
        QDateTime dt;
        if (value.typeId() == QMetaType::QDate)
            dt = QDateTime(value.toDate(), QTime(0, 0));
        else if (value.typeId() == QMetaType::QDateTime)
            dt = value.toDateTime();
        else if (value.typeId() == QMetaType::QTime)
            dt = QDateTime(QDate(1899, 12, 30), value.toTime());
        else if (const auto parsed = parseSystemDateTime(text))
            dt = *parsed;
        if (dt.isValid()) {
            const bool iso = isoDates(serverType);
            const bool noDate = dt.date() == QDate(1899, 12, 30);
            if (kind == ftTime || noDate)
                text = dt.toString(QStringLiteral("hh:mm:ss"));
            else if (dt.time() != QTime(0, 0))
                text = dt.toString(iso ? QStringLiteral("yyyy-MM-dd hh:mm:ss") : QStringLiteral("yyyyMMdd hh:mm:ss"));
            else
                text = dt.toString(iso ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyyMMdd"));
        }
    }
    if (kind == ftBlob || kind == ftGraphic) {
        const QString hex = QString::fromLatin1(value.toByteArray().toHex());
        return serverType == 0 ? QString(QLatin1String("0x") + hex) : QString(QLatin1String("X'") + hex + QLatin1Char('\''));
    }
    if (kind == ftFloat || kind == ftCurrency)
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    if (kind == ftBoolean) {
        const QString u = text.toUpper();
        if (u == QLatin1String("WAHR") || u == QLatin1String("TRUE"))
            text = QStringLiteral("1");
        else if (u == QLatin1String("FALSCH") || u == QLatin1String("FALSE"))
            text = QStringLiteral("0");
    }
    text.replace(QLatin1Char('\''), QLatin1String("''"));
    if (mysql)
        text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    if (!isQuotedKind(kind))
        return text;
    QString quoted = QLatin1Char('\'') + text + QLatin1Char('\'');
    if (mysql && quoted.contains(QLatin1Char('"')))
        quoted = QLatin1String("CONCAT(") + quoted.replace(QLatin1Char('"'), QLatin1String("',CHAR(34),'")) + QLatin1Char(')');
    return quoted;
}

QString TableSql::fallbackInsert(const QList<PostColumn>& columns, bool skipFirst) const
{
    QStringList names, values;
    for (int i = 0; i < columns.size(); ++i) {
        if (i == 0 && skipFirst)
            continue;
        names << quotedName(columns.at(i).name);
        values << fieldToSqlLiteral(columns.at(i).kind, columns.at(i).newValue);
    }
    return QLatin1String("INSERT INTO ") + quotedName(baseName()) + QLatin1String(" (") + names.join(QLatin1Char(','))
        + QLatin1String(") VALUES (") + values.join(QLatin1Char(',')) + QLatin1Char(')');
}

QString TableSql::fallbackUpdate(const QList<PostColumn>& columns) const
{
    QStringList sets;
    for (const PostColumn& c : columns) {
        if (valueText(c.oldValue) != valueText(c.newValue))
            sets << quotedName(c.name) + QLatin1Char('=') + fieldToSqlLiteral(c.kind, c.newValue);
    }
    if (sets.isEmpty() || columns.isEmpty())
        return {};
    const PostColumn& key = columns.first();
    const QVariant keyValue = key.oldValue.isNull() ? key.newValue : key.oldValue;
    return QLatin1String("UPDATE ") + quotedName(baseName()) + QLatin1String(" SET ") + sets.join(QLatin1Char(','))
        + QLatin1String(" WHERE ") + key.name + QLatin1Char('=') + fieldToSqlLiteral(key.kind, keyValue);
}

// ---------------------------------------------------------------------------------------------
// Table statements

QString TableSql::storedIndexName(const QString& indexName) const
{
    if (!isSqlite(serverType))
        return indexName;
    const QString prefix = baseName() + QLatin1Char('_');
    return indexName.startsWith(prefix, Qt::CaseInsensitive) ? indexName : prefix + indexName;
}

QString TableSql::addIndexStatement(const QString& indexName, const QString& fields, bool sqlServerProvider) const
{
    QString name = indexName.trimmed();
    if (name.isEmpty() || name == QLatin1String("PrimaryKey"))
        name = QStringLiteral("DEFAULT");
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    QString stmt = QLatin1String("CREATE INDEX [") + storedIndexName(name) + QLatin1String("] ON [") + baseName()
        + QLatin1String("] ([") + splitFields(fields).join(QLatin1String("],[")) + QLatin1String("])");
    if (sqlServerProvider)
        stmt += QLatin1String(" ON [PRIMARY]");
    return isMySql(serverType) ? toBackticks(stmt) : stmt;
}

QString TableSql::deleteIndexStatement(const QString& indexName) const
{
    if (isSqlite(serverType))
        return QLatin1String("DROP INDEX [") + indexName + QLatin1Char(']');
    if (isMySql(serverType))
        return QLatin1String("DROP INDEX `") + indexName + QLatin1String("` ON `") + baseName() + QLatin1Char('`');
    return QLatin1String("DROP INDEX '") + baseName() + QLatin1Char('.') + indexName + QLatin1Char('\'');
}

QString TableSql::deleteTableStatement(const QString& qualifiedName) const
{
    return QLatin1String("DROP TABLE ") + (qualifiedName.isEmpty() ? baseName() : qualifiedName);
}

QString TableSql::emptyTableStatement() const
{
    return QLatin1String("DELETE FROM ") + baseName();
}

QString TableSql::existsStatement() const
{
    if (isMySql(serverType))
        return QLatin1String("show tables like '") + baseName() + QLatin1Char('\'');
    if (isSqlite(serverType))
        return QLatin1String("select count(*) from sqlite_master where type='table' and name='") + baseName()
            + QLatin1String("' COLLATE NOCASE");
    return QLatin1String("select count(*) from sysobjects where name='") + baseName() + QLatin1Char('\'');
}

QString TableSql::renameTableStatement(const QString& newName) const
{
    switch (serverType) {
    case 0:
        return QLatin1String("EXEC sp_rename '") + baseName() + QLatin1String("', '") + newName + QLatin1Char('\'');
    case 2:
        return QLatin1String("ALTER TABLE `") + baseName() + QLatin1String("` RENAME `") + newName + QLatin1Char('`');
    case 3:
        return QLatin1String("ALTER TABLE [") + baseName() + QLatin1String("] RENAME TO [") + newName + QLatin1Char(']');
    default:
        return QLatin1String("SELECT [") + baseName() + QLatin1String("].* INTO [") + newName + QLatin1String("] FROM [")
            + baseName() + QLatin1Char(']');
    }
}

QString TableSql::ownerQuery(const QString& name)
{
    QString n = name;
    if (n.startsWith(QLatin1Char('[')) && n.endsWith(QLatin1Char(']')))
        n = n.mid(1, n.size() - 2);
    return QLatin1String("Select D1.name From sysobjects D, Sysusers D1 Where D.uid = D1.uid AND D.Name ='") + n
        + QLatin1Char('\'');
}

QString TableSql::sqlTypeForField(const SqlFieldDef& field, bool bdeConvert) const
{
    const QString size = QString::number(field.size > 0 ? field.size : 255);
    const bool mssql = serverType == 0;
    const bool jet = serverType == 1;
    switch (field.kind) {
    case ftString: case ftWideString: case ftFixedChar:
        return (jet ? QLatin1String("TEXT(") : QLatin1String("varchar(")) + size + QLatin1Char(')');
    case ftSmallint: return jet ? QStringLiteral("SMALLINT") : QStringLiteral("smallint");
    case ftInteger: return jet ? QStringLiteral("INTEGER") : QStringLiteral("int");
    case ftWord: return jet ? QStringLiteral("WORD") : QStringLiteral("smallint");
    case ftLargeint: return jet ? QStringLiteral("INTEGER") : QStringLiteral("bigint");
    case ftBoolean: return mssql ? QStringLiteral("bit") : jet ? QStringLiteral("YESNO") : QStringLiteral("TINYINT");
    case ftFloat: return mssql ? QStringLiteral("float") : jet ? QStringLiteral("FLOAT") : QStringLiteral("double");
    case ftCurrency: return mssql ? QStringLiteral("money") : jet ? QStringLiteral("CURRENCY") : QStringLiteral("double");
    case ftDate: return mssql ? QStringLiteral("datetime") : jet ? QStringLiteral("DATETIME") : QStringLiteral("date");
    case ftTime: return mssql ? QStringLiteral("datetime") : jet ? QStringLiteral("DATETIME") : QStringLiteral("time");
    case ftDateTime: return jet ? QStringLiteral("DATETIME") : QStringLiteral("datetime");
    case ftAutoInc:
        if (mssql)
            return bdeConvert ? QStringLiteral("int PRIMARY KEY") : QStringLiteral("int IDENTITY(1,1) NOT NULL PRIMARY KEY");
        if (jet)
            return bdeConvert ? QStringLiteral("INTEGER PRIMARY KEY") : QStringLiteral("COUNTER PRIMARY KEY");
        if (isSqlite(serverType))
            return QStringLiteral("INTEGER PRIMARY KEY");  // the row id: numbered by SQLite itself
        return bdeConvert ? QStringLiteral("int NOT NULL") : QStringLiteral("INT NOT NULL AUTO_INCREMENT");
    case ftBlob: case ftGraphic:
        return mssql ? QStringLiteral("image") : jet ? QStringLiteral("LONGBINARY") : QStringLiteral("blob");
    case ftMemo: case ftFmtMemo:
        return mssql ? QStringLiteral("text") : jet ? QStringLiteral("MEMO") : QStringLiteral("longtext");
    default:
        return mssql ? QStringLiteral("text") : jet ? QStringLiteral("MEMO") : QStringLiteral("text");
    }
}

QString TableSql::createTableStatement(const QList<SqlFieldDef>& fields, bool hasIndexDefs, bool bdeConvert) const
{
    const QString name = QString(baseName()).replace(QLatin1Char('-'), QLatin1Char('_'));
    const bool mysql = isMySql(serverType);
    QStringList plain, memos;
    bool hasDummy = false;
    for (const SqlFieldDef& f : fields) {
        const QString def = QLatin1Char('[') + f.name + QLatin1String("] ") + sqlTypeForField(f, bdeConvert);
        hasDummy = hasDummy || f.name.compare(QLatin1String("Qem_dummy"), Qt::CaseInsensitive) == 0;
        (mysql && isMemoKind(f.kind) ? memos : plain) << def;
    }
    QString columns = plain.join(QLatin1String(" , "));
    if (mysql) {
        if (!hasDummy)
            columns += QLatin1String(" , Qem_dummy TEXT ");
        if (!memos.isEmpty())
            columns += QLatin1String(" , ") + memos.join(QLatin1String(" , "));
        const bool autoFirst = !fields.isEmpty() && fields.first().kind == ftAutoInc;
        if (!fields.isEmpty() && (hasIndexDefs || autoFirst))
            columns += QLatin1String(", PRIMARY KEY (`") + fields.first().name + QLatin1String("` )");
    }
    QString stmt = QLatin1String("CREATE TABLE ") + (serverType == 0 ? QLatin1String("[dbo].") : QLatin1String(""))
        + QLatin1Char('[') + name + QLatin1String("] (") + columns + QLatin1Char(')');
    if (serverType == 0)
        stmt += QLatin1String(" ON [PRIMARY]");
    return mysql ? toBackticks(stmt) : stmt;
}

QString TableSql::lastInsertIdQuery() const
{
    return SqlDialect(serverType).lastInsertIdQuery();
}

QString TableSql::insertTokenQuery(const QString& token) const
{
    return QLatin1String("SELECT * FROM ") + baseName() + QLatin1String(" WHERE Qem_dummy='") + token + QLatin1Char('\'');
}

QString TableSql::highestKeyQuery(const QString& column) const
{
    return topSelect(QLatin1String("SELECT ") + column + QLatin1String(" FROM ") + baseName() + QLatin1String(" order by ")
                         + column + QLatin1String(" Desc"),
                     1, serverType);
}

// ---------------------------------------------------------------------------------------------
// Change log

QString changelog::stationText(const QString& station, const QString& suffix)
{
    return station.trimmed() + QLatin1Char(' ') + suffix;
}

QString changelog::creationEntry(const QDateTime& now, const QString& user, const QString& station)
{
    return dateText(now.date()) + QLatin1String(" create by ") + user + QLatin1String(" on ") + station + QLatin1String("#~#");
}

namespace {
QString comparableText(const PostColumn& c, const QVariant& v)
{
    QString t = valueText(v);
    if (c.kind == ftBoolean) {
        t.remove(QLatin1Char('-'));
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            t = QStringLiteral("0");
        else if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            t = QStringLiteral("1");
    }
    return t;
}
}  // namespace

QString changelog::collectChanges(const QList<PostColumn>& columns)
{
    QString out;
    for (int i = 1; i < columns.size(); ++i) {
        const PostColumn& c = columns.at(i);
        const QString upper = c.name.toUpper();
        if (upper == QLatin1String("UPDATE") || upper == QLatin1String("QEM_CHANGE_LOG") || upper == QLatin1String("SELEKT"))
            continue;
        const QString o = comparableText(c, c.oldValue);
        const QString n = comparableText(c, c.newValue);
        if (o == n)
            continue;
        if (isMemoKind(c.kind))
            out += c.name + QLatin1Char(';');
        else
            out += c.name + QLatin1Char(':') + valueText(c.oldValue) + QLatin1String("->") + valueText(c.newValue) + QLatin1Char(';');
    }
    return out;
}

namespace {
QString changeEntry(const QString& changes, const QDateTime& now, const QString& user, const QString& station)
{
    return QLatin1String("\r\n") + dateTimeText(now) + QLatin1String(" change by ") + user + QLatin1String(" on ") + station
        + QLatin1String("#@#") + changes + QLatin1String("#@@#");
}
}  // namespace

QString changelog::appendChange(const QString& oldLog, const QString& changes, const QDateTime& now,
                                const QString& user, const QString& station)
{
    if (changes.isEmpty())
        return oldLog;
    return trimmed(oldLog + changeEntry(changes, now, user, station), changes, now, user, station);
}

QString changelog::trimmed(QString log, const QString& changes, const QDateTime& now, const QString& user,
                           const QString& station)
{
    for (int cuts = 0; log.size() > maxLength && cuts < 50000; ++cuts) {
        const int from = log.indexOf(QLatin1String("#@#"));
        const int to = from >= 0 ? log.indexOf(QLatin1String("#@@#"), from) : -1;
        if (to < 0)
            break;
        // The whole entry goes, its header line with it, so no empty headers pile up.
        const int header = log.lastIndexOf(QLatin1String("\r\n"), from);
        const int start = header >= 0 ? header : from;
        log.remove(start, to + 4 - start);
    }
    if (log.size() > maxLength) {
        const int created = log.indexOf(QLatin1String("#~#"));
        if (created >= 0)
            log = log.left(created + 3) + changeEntry(changes, now, user, station);
    }
    if (log.size() > maxLength)
        log = dateText(now.date()) + QLatin1String(" clear overflow by ") + user + QLatin1String(" on ") + station + QLatin1String("#~#");
    return log;
}
