#pragma once
// Writes an OfficeTable as an Excel workbook (.xlsx, libxlsxwriter): one worksheet named
// sheetName, the field names in row 1, the cell texts (as text cells) from row 2 on. Rows are
// streamed (constant memory), so a journal of a million bookings fits; more rows than a
// worksheet holds (1,048,576 with the header) are refused.

#include <QString>

class OfficeTable;
class QIODevice;

class OfficeXlsxWriter {
public:
    static bool writeFile(const OfficeTable& table, const QString& sheetName, const QString& path,
                          QString* error = nullptr);
    // Through a temporary file into device (tests, in memory).
    static bool write(const OfficeTable& table, const QString& sheetName, QIODevice& device,
                      QString* error = nullptr);
};
