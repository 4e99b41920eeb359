#pragma once
// Display formats of number fields as the list windows write them, e.g. "#,###,###,##0.00":
// "," asks for thousands grouping, the digits after "." give the decimal places. German
// separators: 1234567.5 is shown as "1.234.567,50".

#include <QString>

class DisplayFormat {
public:
    // The journal's format for number fields from the second field on.
    static QString journalNumber() { return QStringLiteral("#,###,###,##0.00"); }

    static QString apply(double value, const QString& format);
};
