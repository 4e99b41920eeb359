#include "export/ascexport.h"

#include "export/ansitextwriter.h"
#include "export/buchungsauswahl.h"
#include "export/exporterror.h"
#include "export/extfexport.h"
#include "store/feedback.h"

#include <QFile>

#include <cmath>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Digits of a whole number straight into the line (a million rows of some twenty fields).
void ganzzahlAnhaengen(QString& zeile, qint64 n)
{
    char puffer[24];
    char* const ende = puffer + sizeof puffer;
    char* p = ende;
    quint64 u = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (n < 0)
        *--p = '-';
    zeile += QLatin1StringView(p, ende - p);
}

// "dd.MM.yyyy" without QDate::toString, which parses its format on every call.
QString kurzesDatum(const QDate& d)
{
    QString text;
    text.reserve(10);
    const auto zwei = [&](int n) {
        text += QLatin1Char(static_cast<char>('0' + n / 10 % 10));
        text += QLatin1Char(static_cast<char>('0' + n % 10));
    };
    zwei(d.day());
    text += QLatin1Char('.');
    zwei(d.month());
    text += QLatin1Char('.');
    text += QString::number(d.year()).rightJustified(4, QLatin1Char('0'));
    return text;
}

// Display text of a journal value as the data access layer shows it.
QString anzeige(Buchungsauswahl::Art art, const QVariant& v)
{
    if (v.isNull())
        return QString();
    switch (art) {
    case Buchungsauswahl::Art::Datum: {
        const QDate d = Buchungsauswahl::datum(v);
        return d.isValid() && d.year() > 0 ? kurzesDatum(d) : v.toString();
    }
    case Buchungsauswahl::Art::Schalter:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case Buchungsauswahl::Art::Zahl: {
        const double zahl = v.toDouble();
        // Whole amounts need no decimal formatting; the text is the same.
        if (zahl == std::trunc(zahl) && std::fabs(zahl) < 1e15 && !std::signbit(zahl)) {
            QString text;
            ganzzahlAnhaengen(text, static_cast<qint64>(zahl));
            return text;
        }
        QString text = QString::number(zahl, 'g', 15);
        text.replace(QLatin1Char('.'), QLatin1Char(','));
        return text;
    }
    case Buchungsauswahl::Art::Ganzzahl:
        return QString::number(v.toLongLong());
    case Buchungsauswahl::Art::Text:
        return v.toString();
    }
    return v.toString();
}

// The display text of a value appended to the line; the same text as anzeige().
void anhaengen(QString& zeile, Buchungsauswahl::Art art, const QVariant& v)
{
    if (v.isNull())
        return;
    if (art == Buchungsauswahl::Art::Ganzzahl) {
        ganzzahlAnhaengen(zeile, v.toLongLong());
        return;
    }
    if (art == Buchungsauswahl::Art::Text) {
        zeile += v.toString();
        return;
    }
    zeile += anzeige(art, v);
}

qint64 zeilen(const QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (q.exec(QStringLiteral("SELECT COUNT(*) FROM Buchungen")) && q.next())
        return q.value(0).toLongLong();
    return 0;
}

}  // namespace

AscExport::AscExport(const QSqlDatabase& journal, const ExportOptionen& optionen, Feedback& feedback)
    : journal_(journal), opt_(optionen), feedback_(feedback)
{
}

qint64 AscExport::ASC_Export(const QString& pfad, const QString& trennzeichen)
{
    QFile file(pfad);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw ExportError(QStringLiteral("Die Datei %1 kann nicht erstellt werden: %2").arg(pfad, file.errorString()));
    return schreiben(file, trennzeichen);
}

qint64 AscExport::schreiben(QIODevice& datei, const QString& trennzeichen)
{
    abgebrochen_ = false;
    Buchungsauswahl tabelle(journal_);
    tabelle.oeffnen(QStringLiteral("SELECT * FROM Buchungen ORDER BY BuchNr"));
    if (!opt_.filter.trimmed().isEmpty() && !tabelle.filterSetzen(opt_.filter))
        exportMelden(opt_, feedback_, kFilterNichtAnwendbar, MessageKind::Warning);
    const qint64 gesamt = std::max<qint64>(1, zeilen(journal_));
    feedback_.setStatus(QStringLiteral("Datenexport ..."));
    feedback_.setProgress(0, 100);

    AnsiTextWriter out(datei);
    QString zeile;
    for (const QString& name : tabelle.spalten())
        zeile += name + trennzeichen;
    out.writeLine(zeile);

    const int spalten = static_cast<int>(tabelle.spalten().size());
    qint64 geschrieben = 0;
    int letzterStand = 0;
    while (!feedback_.cancelled() && tabelle.weiter()) {
        zeile.clear();
        for (int c = 0; c < spalten; ++c) {
            anhaengen(zeile, tabelle.art(c), tabelle.wert(c));
            zeile += trennzeichen;
        }
        out.writeLine(zeile);
        ++geschrieben;
        const int stand = static_cast<int>(geschrieben * 100 / gesamt);
        if (stand != letzterStand) {
            feedback_.setProgress(stand, 100);
            letzterStand = stand;
        }
    }
    abgebrochen_ = feedback_.cancelled();
    out.flush();
    return geschrieben;
}
