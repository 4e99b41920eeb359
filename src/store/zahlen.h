#pragma once
// Number conversions every engine uses: the one tolerant text-to-number conversion, rounding
// of amounts, number-to-text in the German form.
//
// TextZuZahl accepts what users and the merchandise-management data write ("7,50",
// "1.234,56", "12.5", "1e3"); TextZuGanzzahl truncates its result toward zero. Runden adds
// 0.005 before rounding half to even, whatever the sign (Runden(2, -2.345) is -2.34).

#include <QString>

double TextZuZahl(const QString& text);
int TextZuGanzzahl(const QString& text);
// places: decimal places, clamped to 0..28.
double Runden(int places, double value);
// value with `places` decimals, decimal comma, no thousands separator ("1234,50").
QString ZahlZuText(int places, double value);
int Maximum(int a, int b);
