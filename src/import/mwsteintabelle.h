#pragma once
// The local VAT account table MWSTEIN.DB as the import reads it: one row per VAT code with the
// VAT, discount and overpayment accounts of the bookkeeping.
//
// kontoErmitteln() is the rate matching of a booking slot (MwSt_KontoErmitteln): it finds the
// row whose MWST percentage fits gross and VAT, leaves it current (the settlement postings read
// its discount columns) and returns its VAT account for the mode.

#include "import/importmodus.h"

#include <QSqlRecord>
#include <QVector>

namespace fibuimport {

class MwStEinTabelle {
public:
    MwStEinTabelle() = default;
    explicit MwStEinTabelle(QVector<QSqlRecord> zeilen);

    // Rate matching; throws std::domain_error when gross equals VAT (no net to relate to).
    int kontoErmitteln(double mwst, double brutto, ImportModus modus);
    // The row of a VAT code (primary key MWSTSATZ), made current; nullptr when missing.
    const QSqlRecord* zeileVonCode(int code);
    // The current row; an empty record before the first match.
    const QSqlRecord& aktuell() const;
    static int vatKonto(const QSqlRecord& zeile, ImportModus modus);
    int anzahl() const { return zeilen_.size(); }

    // The rate (in percent, 2 decimals) that gross and VAT describe.
    static double satzAusBetraegen(double mwst, double brutto);

private:
    int suche(double satz) const;

    QVector<QSqlRecord> zeilen_;
    int aktuell_ = -1;
    QSqlRecord leer_;
};

}  // namespace fibuimport
