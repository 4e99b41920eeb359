#include "store/steuersatz.h"

#include "store/zahlen.h"

#include <QDateTime>

namespace {

QDate datumVon(const QVariant& wert)
{
    if (!wert.isValid() || wert.isNull())
        return QDate();
    if (wert.typeId() == QMetaType::QDate)
        return wert.toDate();
    if (wert.typeId() == QMetaType::QDateTime)
        return wert.toDateTime().date();
    const QString text = wert.toString().trimmed();
    QDate datum = QDate::fromString(text.left(10), Qt::ISODate);
    if (!datum.isValid())
        datum = QDate::fromString(text.left(10), QStringLiteral("dd.MM.yyyy"));
    return datum;
}

// A null date is the earliest of all, as the zero date of the product's data.
bool spaeter(const QDate& a, const QDate& b)
{
    if (!a.isValid())
        return false;
    return !b.isValid() || a > b;
}

double zahlVon(const QVariant& wert)
{
    if (!wert.isValid() || wert.isNull())
        return 0;
    if (wert.typeId() == QMetaType::QString || wert.typeId() == QMetaType::QByteArray)
        return TextZuZahl(wert.toString());
    return wert.toDouble();
}

}  // namespace

FeldLeser FeldLeserAus(const QSqlRecord& row)
{
    return [row](const QString& feld) {
        const int index = row.indexOf(feld);
        if (index < 0)
            return QVariant();
        const QVariant wert = row.value(index);
        // Present but empty: a null of its own type, so that it differs from "absent".
        return wert.isValid() ? wert : QVariant(QMetaType::fromType<QString>());
    };
}

double SteuersatzNachDatum(const FeldLeser& row, const QDate& datum)
{
    const bool datumGesetzt = datum.isValid() && datum != QDate(1899, 12, 30);
    const QDate stichtag = datumGesetzt ? datum : QDate();
    double satz = 0;
    if (datumGesetzt && spaeter(datumVon(row(QStringLiteral("Datum"))), stichtag)) {
        satz = zahlVon(row(QStringLiteral("MwST")));
    } else {
        const QVariant neuDatumFeld = row(QStringLiteral("NEU_Datum"));
        if (neuDatumFeld.isValid()) {
            const QDate neuDatum = datumVon(neuDatumFeld);
            if (spaeter(neuDatum, stichtag))
                satz = zahlVon(row(QStringLiteral("NMwST")));
            else if (neuDatum.isValid())
                satz = zahlVon(row(QStringLiteral("NEU_MWST")));
            else
                satz = zahlVon(row(QStringLiteral("NMwST")));
        } else {
            satz = zahlVon(row(QStringLiteral("NMwST")));
        }
    }
    if (satz < 0.001)
        satz = zahlVon(row(QStringLiteral("NEU_MWST")));
    return satz / 100;
}

double SteuersatzNachDatum(const QSqlRecord& row, const QDate& datum)
{
    return SteuersatzNachDatum(FeldLeserAus(row), datum);
}

int SteuerkontoNachDatum(const FeldLeser& row, const QDate& datum)
{
    const bool datumGesetzt = datum.isValid() && datum != QDate(1899, 12, 30);
    const QDate stichtag = datumGesetzt ? datum : QDate();
    const QString feld = spaeter(datumVon(row(QStringLiteral("Datum"))), stichtag) ? QStringLiteral("Steuerkonto")
                                                                                   : QStringLiteral("NSteuerkonto");
    const QVariant wert = row(feld);
    return wert.isNull() ? 0 : TextZuGanzzahl(wert.toString());
}

int SteuerkontoNachDatum(const QSqlRecord& row, const QDate& datum)
{
    return SteuerkontoNachDatum(FeldLeserAus(row), datum);
}
