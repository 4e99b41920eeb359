#include "export/buchungsauswahl.h"

#include "export/exporterror.h"
#include "store/lokaledatenbank.h"

#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

namespace {

Buchungsauswahl::Art artAusDeklaration(const QString& declared)
{
    using A = Buchungsauswahl::Art;
    const QString d = declared.toUpper();
    if (d.contains(QLatin1String("BOOL")))
        return A::Schalter;
    if (d.contains(QLatin1String("DATE")))
        return A::Datum;
    if (d.contains(QLatin1String("INT")))
        return A::Ganzzahl;
    if (d.contains(QLatin1String("REAL")) || d.contains(QLatin1String("FLOA"))
        || d.contains(QLatin1String("DOUB")) || d.contains(QLatin1String("NUM"))
        || d.contains(QLatin1String("DEC")) || d.contains(QLatin1String("CURR")))
        return A::Zahl;
    return A::Text;
}

QDate datumAusWert(const QVariant& v)
{
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::QDate)
        return v.toDate();
    if (v.metaType().id() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString text = v.toString().trimmed();
    if (text.isEmpty())
        return {};
    // The journal's own form "yyyy-MM-dd" read directly; every row of an export passes here.
    if (text.size() >= 10 && text.at(4) == QLatin1Char('-') && text.at(7) == QLatin1Char('-')) {
        bool jOk = false, mOk = false, tOk = false;
        const int j = QStringView(text).left(4).toInt(&jOk);
        const int m = QStringView(text).mid(5, 2).toInt(&mOk);
        const int t = QStringView(text).mid(8, 2).toInt(&tOk);
        if (jOk && mOk && tOk && QDate::isValid(j, m, t))
            return QDate(j, m, t);
    }
    QDate d = QDate::fromString(text.left(10), Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(text.left(10), QStringLiteral("dd.MM.yyyy"));
    return d;
}

QString alsText(const QVariant& v)
{
    return v.isNull() ? QString() : v.toString();
}

}  // namespace

Buchungsauswahl::Buchungsauswahl(const QSqlDatabase& journal) : db_(journal), query_(journal) {}

QString Buchungsauswahl::statement(bool nurNeue, const QDate& von, const QDate& bis)
{
    const QString v = von.toString(Qt::ISODate);
    const QString b = bis.toString(Qt::ISODate);
    const QString bedingung = nurNeue
        ? QStringLiteral("WHERE ((Export<>True) OR (Export IS Null)) AND (Datum BETWEEN '") + v
              + QStringLiteral("' AND '") + b + QStringLiteral("')")
        : QStringLiteral("WHERE (Datum BETWEEN '") + v + QStringLiteral("' AND '") + b + QStringLiteral("')");
    return QStringLiteral("SELECT * FROM Buchungen ") + bedingung + QStringLiteral(" ORDER BY Datum");
}

void Buchungsauswahl::oeffnen(const QString& sql)
{
    schliessen();
    query_ = QSqlQuery(db_);
    query_.setForwardOnly(true);
    if (!query_.exec(sql)) {
        fehler_ = query_.lastError().text();
        if (fehler_.trimmed().isEmpty())
            fehler_ = QStringLiteral("Die Buchungsliste konnte nicht gelesen werden.");
        return;
    }
    offen_ = true;
    spaltenLesen();
}

void Buchungsauswahl::spaltenLesen()
{
    const QSqlRecord rec = query_.record();
    QHash<QString, QString> deklariert;
    QSqlQuery info(db_);
    if (info.exec(QStringLiteral("PRAGMA table_info(") + TabelleBuchungen + QLatin1Char(')'))) {
        while (info.next())
            deklariert.insert(info.value(1).toString().toUpper(), info.value(2).toString());
    }
    spalten_.clear();
    arten_.clear();
    for (int i = 0; i < rec.count(); ++i) {
        spalten_ << rec.fieldName(i);
        const QString decl = deklariert.value(rec.fieldName(i).toUpper());
        if (!decl.isEmpty()) {
            arten_ << artAusDeklaration(decl);
            continue;
        }
        switch (rec.field(i).metaType().id()) {
        case QMetaType::Bool: arten_ << Art::Schalter; break;
        case QMetaType::Int: case QMetaType::LongLong: arten_ << Art::Ganzzahl; break;
        case QMetaType::Double: arten_ << Art::Zahl; break;
        case QMetaType::QDate: case QMetaType::QDateTime: arten_ << Art::Datum; break;
        default: arten_ << Art::Text; break;
        }
    }
    ix_ = {spalte("BuchNr"), spalte("Buchungsnummer"), spalte("Datum"), spalte("Soll"),
           spalte("Haben"), spalte("Buchungstext"), spalte("Brutto"), spalte("USTBetrag"),
           spalte("Kostenstelle1"), spalte("Kostenstelle2"), spalte("Auftrag"),
           spalte("ValutaDatum")};
}

int Buchungsauswahl::spalte(const char* name) const
{
    for (int i = 0; i < spalten_.size(); ++i)
        if (spalten_.at(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Buchungsauswahl::filterSetzen(const QString& filter)
{
    filterAus();
    if (filter.trimmed().isEmpty())
        return true;
    try {
        FilterExpression f = FilterExpression::parse(filter);
        f.bind(spalten_);
        filter_ = std::move(f);
        filterAn_ = true;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void Buchungsauswahl::filterAus()
{
    filter_ = FilterExpression();
    filterAn_ = false;
}

bool Buchungsauswahl::weiter()
{
    if (!offen_) {
        throw ExportError(fehler_.isEmpty() ? QStringLiteral("Die Buchungsliste ist nicht geöffnet.")
                                            : fehler_);
    }
    while (query_.next()) {
        if (!filterAn_ || filter_.matches([this](int c) { return wert(c); }))
            return true;
    }
    if (query_.lastError().isValid())
        throw ExportError(query_.lastError().text());
    return false;
}

void Buchungsauswahl::schliessen()
{
    filterAus();
    query_.finish();
    offen_ = false;
    fehler_.clear();
}

QVariant Buchungsauswahl::wert(int column) const
{
    const QVariant v = query_.value(column);
    if (v.isNull())
        return v;
    switch (art(column)) {
    case Art::Datum: return datumAusWert(v);
    case Art::Schalter: return v.toBool();
    case Art::Ganzzahl: return v.toLongLong();
    case Art::Zahl: return v.toDouble();
    case Art::Text: return v;
    }
    return v;
}

QDate Buchungsauswahl::datum(const QVariant& value)
{
    return datumAusWert(value);
}

ExtfBuchung Buchungsauswahl::buchung() const
{
    const auto need = [](int column, const char* name) {
        if (column < 0)
            throw ExportError(QStringLiteral("Feld '%1' nicht gefunden").arg(QLatin1String(name)));
        return column;
    };
    ExtfBuchung b;
    b.buchNr = query_.value(need(ix_.buchNr, "BuchNr")).toLongLong();
    b.buchungsnummer = alsText(query_.value(need(ix_.buchungsnummer, "Buchungsnummer")));
    b.datum = datumAusWert(query_.value(need(ix_.datum, "Datum")));
    b.soll = query_.value(need(ix_.soll, "Soll")).toLongLong();
    b.haben = query_.value(need(ix_.haben, "Haben")).toLongLong();
    b.buchungstext = alsText(query_.value(need(ix_.buchungstext, "Buchungstext")));
    b.brutto = query_.value(need(ix_.brutto, "Brutto")).toDouble();
    b.ustBetrag = query_.value(need(ix_.ustBetrag, "USTBetrag")).toDouble();
    b.kostenstelle1 = alsText(query_.value(need(ix_.kostenstelle1, "Kostenstelle1")));
    b.kostenstelle2 = alsText(query_.value(need(ix_.kostenstelle2, "Kostenstelle2")));
    b.auftrag = query_.value(need(ix_.auftrag, "Auftrag")).toInt();
    if (ix_.valutaDatum >= 0)
        b.valutaDatum = datumAusWert(query_.value(ix_.valutaDatum));
    return b;
}
