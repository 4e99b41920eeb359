#include "dataaccess/filterexpression.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace {

enum class Tok { End, Ident, Number, Text, Date, LParen, RParen, Op, And, Or, Not, Is, Null, Like, True, False };

struct Token {
    Tok kind = Tok::End;
    QString text;
    int pos = 0;
};

QString syntaxError(int pos, const QString& what)
{
    return QStringLiteral("Fehler im Filterausdruck an Position %1: %2").arg(pos + 1).arg(what);
}

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.');
}

std::vector<Token> tokenize(const QString& s)
{
    static const QHash<QString, Tok> keywords = {
        {QStringLiteral("AND"), Tok::And},   {QStringLiteral("OR"), Tok::Or},
        {QStringLiteral("NOT"), Tok::Not},   {QStringLiteral("IS"), Tok::Is},
        {QStringLiteral("NULL"), Tok::Null}, {QStringLiteral("LIKE"), Tok::Like},
        {QStringLiteral("TRUE"), Tok::True}, {QStringLiteral("FALSE"), Tok::False},
    };
    std::vector<Token> out;
    int i = 0;
    const int n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.pos = i;
        if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            t.kind = c == QLatin1Char('(') ? Tok::LParen : Tok::RParen;
            ++i;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // A doubled quote stands for the quote itself.
            const QChar quote = c;
            ++i;
            bool closed = false;
            while (i < n) {
                if (s[i] == quote) {
                    if (i + 1 < n && s[i + 1] == quote) {
                        t.text += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                t.text += s[i++];
            }
            if (!closed)
                throw FilterError(syntaxError(t.pos, QStringLiteral("Text ohne schließendes Anführungszeichen")));
            t.kind = Tok::Text;
        } else if (c == QLatin1Char('#')) {
            const int end = s.indexOf(QLatin1Char('#'), i + 1);
            if (end < 0)
                throw FilterError(syntaxError(t.pos, QStringLiteral("Datum ohne schließendes #")));
            t.kind = Tok::Date;
            t.text = s.mid(i + 1, end - i - 1).trimmed();
            i = end + 1;
        } else if (c == QLatin1Char('[')) {
            const int end = s.indexOf(QLatin1Char(']'), i + 1);
            if (end < 0)
                throw FilterError(syntaxError(t.pos, QStringLiteral("Feldname ohne schließende Klammer")));
            t.kind = Tok::Ident;
            t.text = s.mid(i + 1, end - i - 1).trimmed();
            i = end + 1;
        } else if (c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('=') || c == QLatin1Char('!')) {
            t.kind = Tok::Op;
            t.text = c;
            ++i;
            if (i < n && (s[i] == QLatin1Char('=') || (c == QLatin1Char('<') && s[i] == QLatin1Char('>'))))
                t.text += s[i++];
            if (t.text == QLatin1String("!=") || t.text == QLatin1String("!"))
                t.text = t.text == QLatin1String("!=") ? QStringLiteral("<>") : t.text;
            if (t.text == QLatin1String("!") || t.text == QLatin1String("=="))
                throw FilterError(syntaxError(t.pos, QStringLiteral("unbekannter Operator \"%1\"").arg(t.text)));
        } else if (c.isDigit() || ((c == QLatin1Char('-') || c == QLatin1Char('+')) && i + 1 < n
                                   && (s[i + 1].isDigit() || s[i + 1] == QLatin1Char('.')))
                   || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit())) {
            t.kind = Tok::Number;
            t.text += s[i++];
            while (i < n && (s[i].isDigit() || s[i] == QLatin1Char('.')))
                t.text += s[i++];
            if (i < n && isIdentChar(s[i]))
                throw FilterError(syntaxError(t.pos, QStringLiteral("ungültige Zahl")));
        } else if (isIdentChar(c)) {
            while (i < n && isIdentChar(s[i]))
                t.text += s[i++];
            t.kind = keywords.value(t.text.toUpper(), Tok::Ident);
        } else {
            throw FilterError(syntaxError(i, QStringLiteral("unerwartetes Zeichen \"%1\"").arg(c)));
        }
        out.push_back(t);
    }
    Token end;
    end.pos = n;
    out.push_back(end);
    return out;
}

std::optional<QDateTime> parseDate(const QString& text)
{
    static const char* const formats[] = {"dd.MM.yyyy hh:mm:ss", "dd.MM.yyyy hh:mm", "dd.MM.yyyy",
                                          "d.M.yyyy", "dd.MM.yy", "yyyy-MM-ddThh:mm:ss.zzz",
                                          "yyyy-MM-ddThh:mm:ss", "yyyy-MM-dd hh:mm:ss.zzz",
                                          "yyyy-MM-dd hh:mm:ss", "yyyy-MM-dd", "yyyyMMdd"};
    const QString t = text.trimmed();
    if (t.size() < 6 || !t[0].isDigit())
        return std::nullopt;
    for (const char* f : formats) {
        const QString format = QString::fromLatin1(f);
        QDateTime dt = QDateTime::fromString(t, format);
        if (dt.isValid())
            return dt;
        const QDate d = QDate::fromString(t, format);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return std::nullopt;
}

std::optional<double> toNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong:
        return v.toDouble();
    case QMetaType::Bool:
        return v.toBool() ? 1.0 : 0.0;
    default: {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (ok)
            return d;
        return std::nullopt;
    }
    }
}

std::optional<QDateTime> toDate(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QString)
        return parseDate(v.toString());
    return std::nullopt;
}

bool isTemporal(const QVariant& v)
{
    return v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
}

bool isNumeric(const QVariant& v)
{
    return v.typeId() != QMetaType::QString && v.typeId() != QMetaType::QByteArray
           && !isTemporal(v) && toNumber(v).has_value();
}

std::optional<bool> toTruth(const QVariant& v)
{
    if (v.isNull())
        return std::nullopt;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (const auto d = toNumber(v))
        return *d != 0.0;
    const QString s = v.toString().trimmed().toUpper();
    if (s == QLatin1String("TRUE") || s == QLatin1String("WAHR") || s == QLatin1String("J"))
        return true;
    if (s == QLatin1String("FALSE") || s == QLatin1String("FALSCH") || s == QLatin1String("N") || s.isEmpty())
        return false;
    return std::nullopt;
}

template <typename T>
bool applyOrder(const QString& op, const T& a, const T& b)
{
    if (op == QLatin1String("="))
        return a == b;
    if (op == QLatin1String("<>"))
        return !(a == b);
    if (op == QLatin1String("<"))
        return a < b;
    if (op == QLatin1String(">"))
        return b < a;
    if (op == QLatin1String("<="))
        return !(b < a);
    return !(a < b);  // ">="
}

QRegularExpression likePattern(const QString& pattern)
{
    QString rx;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('%') || c == QLatin1Char('*'))
            rx += QStringLiteral(".*");
        else if (c == QLatin1Char('_') || c == QLatin1Char('?'))
            rx += QLatin1Char('.');
        else
            rx += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

}  // namespace

struct FilterExpression::Node {
    enum Kind { And, Or, Not, Compare, IsNull, Like, Truth } kind = Truth;
    int left = -1, right = -1;     // children (And, Or: both; Not: left)
    // Operands: a field (field >= 0 after bind, name kept) or a literal.
    struct Operand {
        QString fieldName;         // non-empty: a field
        int column = -1;
        QVariant literal;          // Number: double, Text: QString, Date: QDateTime, Bool, Null
        bool dateLiteral = false;  // written as #...#
    };
    Operand a, b;
    QString op;                    // for Compare
    bool negated = false;          // IS NOT NULL, NOT LIKE
    QRegularExpression pattern;    // for Like
};

namespace {

class Parser {
public:
    using Node = FilterExpression::Node;

    Parser(std::vector<Token> tokens, std::vector<Node>& nodes) : t_(std::move(tokens)), nodes_(nodes) {}

    int parseAll()
    {
        const int root = orExpr();
        if (peek().kind != Tok::End)
            fail(QStringLiteral("unerwartetes \"%1\"").arg(describe(peek())));
        return root;
    }

private:
    const Token& peek() const { return t_[i_]; }
    Token take() { return t_[i_++]; }
    bool accept(Tok k)
    {
        if (peek().kind != k)
            return false;
        ++i_;
        return true;
    }
    [[noreturn]] void fail(const QString& what) const { throw FilterError(syntaxError(peek().pos, what)); }

    static QString describe(const Token& t)
    {
        return t.kind == Tok::End ? QStringLiteral("Ende") : t.text.isEmpty() ? QStringLiteral("Klammer") : t.text;
    }

    int add(Node n)
    {
        nodes_.push_back(std::move(n));
        return int(nodes_.size()) - 1;
    }

    int binary(Node::Kind kind, int l, int r)
    {
        Node n;
        n.kind = kind;
        n.left = l;
        n.right = r;
        return add(std::move(n));
    }

    int orExpr()
    {
        int l = andExpr();
        while (accept(Tok::Or))
            l = binary(Node::Or, l, andExpr());
        return l;
    }

    int andExpr()
    {
        int l = notExpr();
        while (accept(Tok::And))
            l = binary(Node::And, l, notExpr());
        return l;
    }

    int notExpr()
    {
        if (accept(Tok::Not)) {
            Node n;
            n.kind = Node::Not;
            n.left = notExpr();
            return add(std::move(n));
        }
        return primary();
    }

    int primary()
    {
        if (accept(Tok::LParen)) {
            const int inner = orExpr();
            if (!accept(Tok::RParen))
                fail(QStringLiteral("\")\" erwartet"));
            return inner;
        }
        Node n;
        n.a = operand();
        if (peek().kind == Tok::Op) {
            n.kind = Node::Compare;
            n.op = take().text;
            n.b = operand();
            return add(std::move(n));
        }
        if (accept(Tok::Is)) {
            n.kind = Node::IsNull;
            n.negated = accept(Tok::Not);
            if (!accept(Tok::Null))
                fail(QStringLiteral("NULL erwartet"));
            return add(std::move(n));
        }
        const bool notLike = peek().kind == Tok::Not && t_[i_ + 1].kind == Tok::Like;
        if (notLike)
            ++i_;
        if (accept(Tok::Like)) {
            if (peek().kind != Tok::Text)
                fail(QStringLiteral("Text nach LIKE erwartet"));
            n.kind = Node::Like;
            n.negated = notLike;
            n.pattern = likePattern(take().text);
            return add(std::move(n));
        }
        n.kind = Node::Truth;
        return add(std::move(n));
    }

    Node::Operand operand()
    {
        Node::Operand o;
        const Token t = peek();
        switch (t.kind) {
        case Tok::Ident:
            o.fieldName = t.text;
            break;
        case Tok::Number: {
            bool ok = false;
            o.literal = t.text.toDouble(&ok);
            if (!ok)
                fail(QStringLiteral("ungültige Zahl \"%1\"").arg(t.text));
            break;
        }
        case Tok::Text:
            o.literal = t.text;
            break;
        case Tok::Date: {
            const auto d = parseDate(t.text);
            if (!d)
                fail(QStringLiteral("ungültiges Datum \"%1\"").arg(t.text));
            o.literal = *d;
            o.dateLiteral = true;
            break;
        }
        case Tok::True:
        case Tok::False:
            o.literal = t.kind == Tok::True;
            break;
        case Tok::Null:
            o.literal = QVariant();
            break;
        default:
            fail(QStringLiteral("Feldname oder Wert erwartet statt \"%1\"").arg(describe(t)));
        }
        ++i_;
        return o;
    }

    std::vector<Token> t_;
    std::vector<Node>& nodes_;
    size_t i_ = 0;
};

using Operand = FilterExpression::Node::Operand;

QVariant valueOf(const Operand& o, const std::function<QVariant(int)>& valueAt)
{
    return o.fieldName.isEmpty() ? o.literal : valueAt(o.column);
}

bool compareValues(const QString& op, const QVariant& a, const QVariant& b, bool prefixAllowed)
{
    const bool aNull = a.isNull() || !a.isValid();
    const bool bNull = b.isNull() || !b.isValid();
    if (aNull || bNull) {
        // "Feld = NULL" reads as IS NULL, "Feld <> NULL" as IS NOT NULL.
        if (op == QLatin1String("="))
            return aNull && bNull;
        if (op == QLatin1String("<>"))
            return aNull != bNull;
        return false;
    }
    if (a.typeId() == QMetaType::Bool || b.typeId() == QMetaType::Bool) {
        const auto ta = toTruth(a), tb = toTruth(b);
        if (ta && tb)
            return applyOrder(op, int(*ta), int(*tb));
        return op == QLatin1String("<>");
    }
    if (isTemporal(a) || isTemporal(b)) {
        const auto da = toDate(a), db = toDate(b);
        if (da && db)
            return applyOrder(op, *da, *db);
        return op == QLatin1String("<>");
    }
    if (isNumeric(a) || isNumeric(b)) {
        const auto na = toNumber(a), nb = toNumber(b);
        if (na && nb)
            return applyOrder(op, *na, *nb);
    }
    const QString sa = a.toString(), sb = b.toString();
    // A date stored as text compared with a date written as text.
    const auto da = parseDate(sa), db = parseDate(sb);
    if (da && db)
        return applyOrder(op, *da, *db);
    if (prefixAllowed && sb.endsWith(QLatin1Char('*')) && (op == QLatin1String("=") || op == QLatin1String("<>"))) {
        const bool starts = sa.startsWith(sb.chopped(1), Qt::CaseInsensitive);
        return op == QLatin1String("=") ? starts : !starts;
    }
    return applyOrder(op, sa.compare(sb, Qt::CaseInsensitive), 0);
}

}  // namespace

FilterExpression::FilterExpression() = default;
FilterExpression::~FilterExpression() = default;
FilterExpression::FilterExpression(FilterExpression&&) noexcept = default;
FilterExpression& FilterExpression::operator=(FilterExpression&&) noexcept = default;
FilterExpression::FilterExpression(const FilterExpression&) = default;
FilterExpression& FilterExpression::operator=(const FilterExpression&) = default;

FilterExpression FilterExpression::parse(const QString& text)
{
    FilterExpression e;
    if (text.trimmed().isEmpty())
        return e;
    Parser p(tokenize(text), e.nodes_);
    e.root_ = p.parseAll();
    return e;
}

bool FilterExpression::isEmpty() const
{
    return root_ < 0;
}

QStringList FilterExpression::fieldNames() const
{
    QStringList names;
    for (const Node& n : nodes_) {
        for (const Operand* o : {&n.a, &n.b}) {
            if (!o->fieldName.isEmpty() && !names.contains(o->fieldName, Qt::CaseInsensitive))
                names << o->fieldName;
        }
    }
    return names;
}

void FilterExpression::bind(const QStringList& columns)
{
    for (Node& n : nodes_) {
        for (Operand* o : {&n.a, &n.b}) {
            if (o->fieldName.isEmpty())
                continue;
            o->column = -1;
            for (int i = 0; i < columns.size(); ++i) {
                if (columns[i].compare(o->fieldName, Qt::CaseInsensitive) == 0) {
                    o->column = i;
                    break;
                }
            }
            if (o->column < 0)
                throw FilterError(QStringLiteral("Unbekanntes Feld im Filter: %1").arg(o->fieldName));
        }
    }
    bound_ = true;
}

bool FilterExpression::matches(const std::function<QVariant(int column)>& valueAt) const
{
    if (root_ < 0)
        return true;
    if (!bound_ && !fieldNames().isEmpty())
        return false;
    // Iterative evaluation would save little: filters are a handful of nodes deep.
    std::function<bool(int)> eval = [&](int i) -> bool {
        const Node& n = nodes_[size_t(i)];
        switch (n.kind) {
        case Node::And:
            return eval(n.left) && eval(n.right);
        case Node::Or:
            return eval(n.left) || eval(n.right);
        case Node::Not:
            return !eval(n.left);
        case Node::IsNull: {
            const QVariant v = valueOf(n.a, valueAt);
            const bool isNull = v.isNull() || !v.isValid();
            return n.negated ? !isNull : isNull;
        }
        case Node::Like: {
            const QVariant v = valueOf(n.a, valueAt);
            if (v.isNull())
                return false;
            const bool m = n.pattern.match(v.toString()).hasMatch();
            return n.negated ? !m : m;
        }
        case Node::Compare:
            return compareValues(n.op, valueOf(n.a, valueAt), valueOf(n.b, valueAt), n.b.fieldName.isEmpty());
        case Node::Truth: {
            const auto t = toTruth(valueOf(n.a, valueAt));
            return t.value_or(false);
        }
        }
        return false;
    };
    return eval(root_);
}
