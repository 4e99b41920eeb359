#pragma once
// The merchandise-management VAT-code table MWST.DB, read once per run and kept in table order.
//
// Rows are addressed by VAT code (the first field, MwSt_Satz) or by row number (1-based, as the
// booking slots remember it). The table is small; the run reads it whole instead of positioning
// a cursor per position.

#include <QHash>
#include <QSqlRecord>
#include <QVector>

namespace fibuimport {

class MwStTabelle {
public:
    MwStTabelle() = default;
    explicit MwStTabelle(QVector<QSqlRecord> zeilen);

    // Row number (1-based) of the VAT code, 0 when the code is not in the table.
    int zeilenNummer(int code) const;
    // The row of that number; an empty record for 0 or a number out of range.
    const QSqlRecord& zeile(int nummer) const;
    const QSqlRecord* zeileVonCode(int code) const;
    static int code(const QSqlRecord& zeile);
    // Whether the table has that column (an empty table has none).
    bool hatFeld(const QString& name) const;
    int anzahl() const { return zeilen_.size(); }

private:
    QVector<QSqlRecord> zeilen_;
    QHash<int, int> nachCode_;
    QSqlRecord leer_;
};

}  // namespace fibuimport
