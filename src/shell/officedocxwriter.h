#pragma once
// Writes an OfficeTable as a Word document (.docx): one table with the field names in its
// first row and the cell texts below, landscape page, single borders. The package holds the
// three parts Word needs ([Content_Types].xml, _rels/.rels, word/document.xml), stored
// uncompressed in a ZIP container of our own (OfficeZipWriter).

#include <QString>

class OfficeTable;
class QIODevice;

class OfficeDocxWriter {
public:
    // device: seekable and open for writing. False with the reason in *error.
    static bool write(const OfficeTable& table, QIODevice& device, QString* error = nullptr);
    // XML text of one cell's content ("&", "<", ">", quotes escaped; characters XML forbids
    // dropped; line breaks as <w:br/>).
    static QString runText(const QString& text);
};
