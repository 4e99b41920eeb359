#pragma once
// The table an office export writes: the grid's columns (header row: their field names) and
// the cell texts of every row of the dataset behind the grid, row by row.

#include <QString>

class OfficeTable {
public:
    virtual ~OfficeTable() = default;
    virtual int columnCount() const = 0;
    virtual QString header(int column) const = 0;
    virtual int rowCount() const = 0;
    virtual QString cell(int row, int column) const = 0;
};
