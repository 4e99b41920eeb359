#pragma once
// Rules over one row of the merchandise-management VAT-code table MWST.DB: the VAT rate valid on
// a date, the fallback revenue or expense account valid on a date, and the tax date of a document.
//
// Rates in MWST.DB are percentages; satzNachDatum returns a fraction (0.19). Dates are whole days;
// "day 1 of the date scale" is 31.12.1899, so an empty date never counts as set.

#include "import/importmodus.h"

#include <QDate>
#include <QSqlRecord>

namespace fibuimport {

// Rate-by-date: t the tax date, v the document date; d = t when t is set, else v.
double satzNachDatum(const QSqlRecord& mwstZeile, const QDate& t, const QDate& v);

// The three account columns of a VAT-code row that serve mode and tax kind (old, current,
// newest); empty names for a tax kind that finds no account.
struct KontoSpalten {
    QString alt;
    QString aktuell;
    QString neu;
    bool gueltig() const { return !alt.isEmpty(); }
};
KontoSpalten kontoSpalten(ImportModus modus, int steuer);

// Dated account rule for a row and a date d: the old column while the row's Datum lies after d,
// else the current one, replaced by the newest from NEU_Datum on when that holds an account.
int datiertesKonto(const QSqlRecord& mwstZeile, ImportModus modus, int steuer, const QDate& d);
// The same with the old and current value given (tax kind 5: N_Bau after translation).
int datiertesKonto(const QSqlRecord& mwstZeile, int altWert, int aktuellWert, const QString& neuSpalte,
                   const QDate& d);

// Vorgangsdatum, or USTDatum when the document has it and it is set.
QDate steuerDatum(const QSqlRecord& beleg);

// True for a date after 31.12.1899 (the empty date and day 0 and 1 are not set).
bool datumGesetzt(const QDate& d);

}  // namespace fibuimport
