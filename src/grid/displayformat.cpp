#include "grid/displayformat.h"

#include <QLocale>

#include <algorithm>

QString DisplayFormat::apply(double value, const QString& format)
{
    const int point = format.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : int(format.size()) - point - 1;
    const bool grouped = format.contains(QLatin1Char(','));
    QLocale german(QLocale::German, QLocale::Germany);
    german.setNumberOptions(grouped ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    QString text = german.toString(value, 'f', decimals);
    // A rounded-away negative zero is shown without its sign.
    if (text.startsWith(QLatin1Char('-'))
        && std::none_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'1' && c <= u'9'; }))
        text.remove(0, 1);
    return text;
}
