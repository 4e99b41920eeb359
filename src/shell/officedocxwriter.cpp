#include "shell/officedocxwriter.h"

#include "shell/officetable.h"
#include "shell/officezipwriter.h"

#include <QIODevice>

namespace {

const QByteArray contentTypes =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "</Types>";

const QByteArray packageRels =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/></Relationships>";

// A4 landscape in twentieths of a point, 1 cm margins.
constexpr int pageWidth = 16838;
constexpr int pageHeight = 11906;
constexpr int margin = 567;

QByteArray tableStart(int columns)
{
    QString x = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
        "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
        "<w:tbl><w:tblPr><w:tblW w:w=\"0\" w:type=\"auto\"/><w:tblBorders>");
    for (const char* side : {"top", "left", "bottom", "right", "insideH", "insideV"})
        x += QStringLiteral("<w:%1 w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>").arg(QLatin1String(side));
    x += QStringLiteral("</w:tblBorders></w:tblPr><w:tblGrid>");
    const int width = columns > 0 ? (pageWidth - 2 * margin) / columns : 0;
    for (int c = 0; c < columns; ++c)
        x += QStringLiteral("<w:gridCol w:w=\"%1\"/>").arg(width);
    x += QStringLiteral("</w:tblGrid>");
    return x.toUtf8();
}

QByteArray tableEnd()
{
    return QStringLiteral("</w:tbl><w:p/><w:sectPr><w:pgSz w:w=\"%1\" w:h=\"%2\" w:orient=\"landscape\"/>"
                          "<w:pgMar w:top=\"%3\" w:right=\"%3\" w:bottom=\"%3\" w:left=\"%3\" w:header=\"0\" "
                          "w:footer=\"0\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>")
        .arg(pageWidth).arg(pageHeight).arg(margin)
        .toUtf8();
}

QByteArray tableRow(const QStringList& cells, bool header)
{
    QString x = header ? QStringLiteral("<w:tr><w:trPr><w:tblHeader/></w:trPr>") : QStringLiteral("<w:tr>");
    for (const QString& cell : cells) {
        x += QStringLiteral("<w:tc><w:p><w:r>");
        if (header)
            x += QStringLiteral("<w:rPr><w:b/></w:rPr>");
        x += OfficeDocxWriter::runText(cell);
        x += QStringLiteral("</w:r></w:p></w:tc>");
    }
    x += QStringLiteral("</w:tr>");
    return x.toUtf8();
}

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

}  // namespace

QString OfficeDocxWriter::runText(const QString& text)
{
    QString out = QStringLiteral("<w:t xml:space=\"preserve\">");
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (QChar c : plain) {
        switch (c.unicode()) {
        case '&': out += QStringLiteral("&amp;"); break;
        case '<': out += QStringLiteral("&lt;"); break;
        case '>': out += QStringLiteral("&gt;"); break;
        case '"': out += QStringLiteral("&quot;"); break;
        case '\n': out += QStringLiteral("</w:t><w:br/><w:t xml:space=\"preserve\">"); break;
        case '\t': out += QStringLiteral("</w:t><w:tab/><w:t xml:space=\"preserve\">"); break;
        default:
            if (c.unicode() >= 0x20 && c.unicode() != 0xFFFE && c.unicode() != 0xFFFF)
                out += c;
        }
    }
    out += QStringLiteral("</w:t>");
    return out;
}

bool OfficeDocxWriter::write(const OfficeTable& table, QIODevice& device, QString* error)
{
    OfficeZipWriter zip(device);
    if (!zip.addFile(QStringLiteral("[Content_Types].xml"), contentTypes)
        || !zip.addFile(QStringLiteral("_rels/.rels"), packageRels)
        || !zip.beginFile(QStringLiteral("word/document.xml")))
        return fail(error, device.errorString());
    const int columns = table.columnCount();
    QStringList cells;
    for (int c = 0; c < columns; ++c)
        cells.append(table.header(c));
    zip.write(tableStart(columns));
    zip.write(tableRow(cells, true));
    const int rows = table.rowCount();
    QByteArray block;
    for (int r = 0; r < rows && zip.ok(); ++r) {
        cells.clear();
        for (int c = 0; c < columns; ++c)
            cells.append(table.cell(r, c));
        block += tableRow(cells, false);
        if (block.size() > (1 << 20)) {
            zip.write(block);
            block.clear();
        }
    }
    block += tableEnd();
    if (!zip.write(block) || !zip.endFile() || !zip.finish())
        return fail(error, device.errorString().isEmpty() ? QStringLiteral("Datei zu groß") : device.errorString());
    return true;
}
