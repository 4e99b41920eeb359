#include "store/zahlen.h"

#include <QtGlobal>
#include <cmath>
#include <optional>

namespace {

// The language-neutral conversion: optional blanks, sign, digits with at most one decimal
// point, optional exponent, nothing after it.
std::optional<double> neutralKonvertieren(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    QByteArray zahl;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        zahl.append(char(text[i++].unicode()));
    int ziffern = 0;
    bool punkt = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++ziffern;
        } else if (c == QLatin1Char('.') && !punkt) {
            punkt = true;
        } else {
            break;
        }
        zahl.append(char(c.unicode()));
    }
    if (ziffern == 0)
        return std::nullopt;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        zahl.append('e');
        ++i;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            zahl.append(char(text[i++].unicode()));
        int exponent = 0;
        for (; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i, ++exponent)
            zahl.append(char(text[i].unicode()));
        if (exponent == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    bool ok = false;
    // QByteArray::toDouble reads the C form whatever the process locale is.
    const double wert = zahl.toDouble(&ok);
    if (!ok || !std::isfinite(wert))
        return std::nullopt;
    return wert;
}

// What a failed conversion leaves: the digits before the first invalid character, decimal
// points and the sign skipped ("1,5x" gives 15).
double ziffernBisFehler(const QString& text)
{
    double wert = 0;
    int i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            wert = wert * 10 + (c.unicode() - '0');
        else if (c != QLatin1Char(',') && c != QLatin1Char('.'))
            break;
    }
    return wert;
}

}  // namespace

double TextZuZahl(const QString& text)
{
    QString t = text.trimmed();
    if (auto wert = neutralKonvertieren(t); wert && *wert != 0)
        return *wert;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (auto wert = neutralKonvertieren(t); wert && *wert != 0)
        return *wert;
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    if (auto wert = neutralKonvertieren(t))
        return *wert;
    const int laenge = t.size();
    // A thousands separator before a decimal comma: "1,234,56" stands for 1234.56.
    if (laenge >= 2 && laenge - 6 >= 1 && t[laenge - 6 - 1] == QLatin1Char(',')) {
        QString vorne = t.left(laenge - 3);
        vorne.remove(QLatin1Char(','));
        return TextZuZahl(vorne + QLatin1Char('.') + t.right(2));
    }
    return ziffernBisFehler(t);
}

int TextZuGanzzahl(const QString& text)
{
    const double wert = std::trunc(TextZuZahl(text));
    if (wert >= 2147483647.0)
        return 2147483647;
    if (wert <= -2147483648.0)
        return -2147483647 - 1;
    return int(wert);
}

double Runden(int places, double value)
{
    const int stellen = qBound(0, places, 28);
    const double faktor = TextZuZahl(QStringLiteral("10000000000000000000000000000").left(stellen + 1));
    // nearbyint rounds half to even in the default rounding mode, as the processor does.
    return std::nearbyint(value * faktor + 0.005) / faktor;
}

QString ZahlZuText(int places, double value)
{
    QString text = QString::number(value, 'f', qBound(0, places, 28));
    const qsizetype punkt = text.indexOf(QLatin1Char('.'));
    if (punkt >= 0)
        text[punkt] = QLatin1Char(',');
    return text;
}

int Maximum(int a, int b)
{
    return a > b ? a : b;
}
