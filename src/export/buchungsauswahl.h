#pragma once
// The bookings an export walks: one SELECT on the local journal, read forward only, with the
// dialog's filter applied to each row.
//
// Call sequence: oeffnen(statement(...)) or oeffnen("SELECT * FROM Buchungen ORDER BY BuchNr"),
// filterSetzen(Filter) (false: the filter does not fit the journal and is dropped), then
// weiter() per row and buchung() / wert() for its values. A statement that fails does not
// throw in oeffnen(): the first weiter() raises its error, so a writer reports it from inside
// its booking loop. Dates are compared as the journal stores them ("yyyy-MM-dd").
// The database connection is not owned.

#include "dataaccess/filterexpression.h"
#include "export/extfformat.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

class Buchungsauswahl {
public:
    enum class Art { Text, Ganzzahl, Zahl, Datum, Schalter };

    explicit Buchungsauswahl(const QSqlDatabase& journal);

    // "SELECT * FROM Buchungen WHERE ... ORDER BY Datum" of the DATEV writers.
    static QString statement(bool nurNeue, const QDate& von, const QDate& bis);

    void oeffnen(const QString& sql);
    bool filterSetzen(const QString& filter);
    void filterAus();
    bool weiter();
    void schliessen();

    // Columns of the result in stored order, and their kind from the journal's declaration.
    const QStringList& spalten() const { return spalten_; }
    Art art(int column) const { return arten_.value(column, Art::Text); }
    // The value of the current row, dates as QDate and Booleans as bool.
    QVariant wert(int column) const;
    // A date of a result value: QDate, date-time or text ("yyyy-MM-dd" or "dd.MM.yyyy").
    static QDate datum(const QVariant& value);

    // The current row as the DATEV writers use it; ValutaDatum only when the journal has it.
    ExtfBuchung buchung() const;

private:
    void spaltenLesen();
    int spalte(const char* name) const;

    QSqlDatabase db_;
    QSqlQuery query_;
    QString fehler_;
    bool offen_ = false;
    QStringList spalten_;
    QList<Art> arten_;
    FilterExpression filter_;
    bool filterAn_ = false;
    struct Index {
        int buchNr, buchungsnummer, datum, soll, haben, buchungstext, brutto, ustBetrag,
            kostenstelle1, kostenstelle2, auftrag, valutaDatum;
    } ix_{};
};
