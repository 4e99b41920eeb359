#pragma once
// Client-side record filter of the datasets: the filter texts the user types for the export
// ("Filtern"), the import's Vor_Filter and the grids, evaluated on the rows already fetched.
//
// Syntax: comparisons = <> < > <= >= between fields and literals, AND, OR, NOT, parentheses,
// IS [NOT] NULL, [NOT] LIKE with % _ or *, TRUE and FALSE, a bare field as a truth value.
// Literals: numbers (1, -2.5), texts in single quotes with '' for a quote, dates as #...# or as
// texts ('31.12.2024', '2024-12-31'). A text ending in * compared with = matches as a prefix.
// Keywords are case-insensitive; field names may be written in brackets ([Auftrag Nr]).
// Texts compare without regard to case.
//
// Call sequence: parse() the text, bind() it to the column names of the result set (once per
// open), then matches() for each row with an accessor for the bound columns. parse() and bind()
// throw FilterError with a German message; matches() never throws.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

class FilterError : public std::runtime_error {
public:
    explicit FilterError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

class FilterExpression {
public:
    FilterExpression();
    ~FilterExpression();
    FilterExpression(FilterExpression&&) noexcept;
    FilterExpression& operator=(FilterExpression&&) noexcept;
    FilterExpression(const FilterExpression&);
    FilterExpression& operator=(const FilterExpression&);

    // An empty or blank text gives an expression that matches every row.
    static FilterExpression parse(const QString& text);

    bool isEmpty() const;
    // Field names the expression refers to, as written (without brackets).
    QStringList fieldNames() const;
    // Resolves the field names against the columns (case-insensitive).
    void bind(const QStringList& columns);
    // valueAt(column index of bind()'s list) gives the current row's value.
    bool matches(const std::function<QVariant(int column)>& valueAt) const;

    struct Node;

private:
    std::vector<Node> nodes_;
    int root_ = -1;
    bool bound_ = false;
};
