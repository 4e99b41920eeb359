#pragma once
// The column model of a list window: which field each column shows, its title and width.
//
// One place for the columns, so that the grid designer can later load and save a layout over
// it. GridColumns::journal() gives the design-time columns of the journal view; the view and
// the office exports read the same list.

#include <QString>
#include <QVector>

struct GridColumn {
    QString fieldName;
    QString title;
    int width = 90;  // pixels
    bool visible = true;
};

class GridColumns {
public:
    GridColumns() = default;
    explicit GridColumns(QVector<GridColumn> columns) : columns_(std::move(columns)) {}

    // Buchungsnummer titled "Nr", Datum, Soll, Haben, Buchungstext, Brutto, Netto,
    // USTSollKonto, USTHabenKonto, USTBetrag, MWSTPro.
    static GridColumns journal();

    int count() const { return int(columns_.size()); }
    const GridColumn& at(int index) const { return columns_.at(index); }
    GridColumn& operator[](int index) { return columns_[index]; }
    const QVector<GridColumn>& all() const { return columns_; }
    // Index of the column showing fieldName (case-insensitive), -1 when none.
    int indexOf(const QString& fieldName) const;

private:
    QVector<GridColumn> columns_;
};
