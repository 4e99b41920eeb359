#include "import/feldwerte.h"

#include "store/hilfsfunktionen.h"

#include <QLocale>

namespace fibuimport {

bool hatFeld(const QSqlRecord& row, const QString& name)
{
    return row.indexOf(name) >= 0;
}

QVariant feld(const QSqlRecord& row, const QString& name)
{
    const int i = row.indexOf(name);
    return i < 0 ? QVariant() : row.value(i);
}

double alsZahl(const QVariant& value)
{
    if (value.isNull())
        return 0.0;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        return TextZuZahl(value.toString());
    case QMetaType::Bool:
        return value.toBool() ? 1.0 : 0.0;
    default:
        return value.toDouble();
    }
}

double feldZahl(const QSqlRecord& row, const QString& name)
{
    return alsZahl(feld(row, name));
}

int feldGanz(const QSqlRecord& row, const QString& name)
{
    return static_cast<int>(alsZahl(feld(row, name)));
}

QString feldText(const QSqlRecord& row, const QString& name)
{
    const QVariant v = feld(row, name);
    return v.isNull() ? QString() : v.toString();
}

bool feldSchalter(const QSqlRecord& row, const QString& name)
{
    const QVariant v = feld(row, name);
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toUpper();
        return !(t.isEmpty() || t == QLatin1String("0") || t == QLatin1String("FALSE")
                 || t == QLatin1String("F") || t == QLatin1String("N"));
    }
    return v.toDouble() != 0.0;
}

namespace {

// Stored dates and times carry no zone. They are kept as UTC values, so that reading and
// comparing them never asks the system for its time zone (which costs a file lookup each time).
QDateTime naiv(const QDate& d, const QTime& t = QTime(0, 0))
{
    return d.isValid() ? QDateTime(d, t.isValid() ? t : QTime(0, 0), Qt::UTC) : QDateTime();
}

}  // namespace

QDateTime alsDatumZeit(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        return naiv(dt.date(), dt.time());
    }
    case QMetaType::QDate:
        return naiv(value.toDate());
    default:
        break;
    }
    const QString t = value.toString().trimmed();
    if (t.isEmpty())
        return {};
    if (t.size() == 10) {
        const QDate d = QDate::fromString(t, Qt::ISODate);
        if (d.isValid())
            return naiv(d);
    }
    QDateTime dt = QDateTime::fromString(t, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(QString(t).replace(QLatin1Char(' '), QLatin1Char('T')), Qt::ISODate);
    if (dt.isValid())
        return naiv(dt.date(), dt.time());
    QDate d = QDate::fromString(t.left(10), Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(t.left(10), QStringLiteral("dd.MM.yyyy"));
    return naiv(d);
}

QDateTime feldDatumZeit(const QSqlRecord& row, const QString& name)
{
    return alsDatumZeit(feld(row, name));
}

QDate feldDatum(const QSqlRecord& row, const QString& name)
{
    return feldDatumZeit(row, name).date();
}

QString alsAnzeigeText(const QVariant& value)
{
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        const QDateTime dt = alsDatumZeit(value);
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("dd.MM.yyyy"));
        return dt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(value.toDouble(), 'g', 15).replace(QLatin1Char('.'), QLatin1Char(','));
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return value.toString();
    }
}

}  // namespace fibuimport
