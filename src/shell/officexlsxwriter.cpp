#include "shell/officexlsxwriter.h"

#include "shell/officetable.h"

#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace {

constexpr int maxRows = 1048576;

bool fail(QString* error, const QString& reason)
{
    if (error)
        *error = reason;
    return false;
}

}  // namespace

bool OfficeXlsxWriter::writeFile(const OfficeTable& table, const QString& sheetName, const QString& path,
                                 QString* error)
{
    const int rows = table.rowCount();
    if (rows + 1 > maxRows)
        return fail(error, QStringLiteral("Zu viele Zeilen für ein Tabellenblatt: %1").arg(rows));
    const QByteArray file = QFile::encodeName(QDir::toNativeSeparators(path));
    const QByteArray tmp = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = const_cast<char*>(tmp.constData());
    options.use_zip64 = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook)
        return fail(error, QStringLiteral("Die Datei %1 kann nicht angelegt werden").arg(path));
    const QByteArray name = sheetName.toUtf8();
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, name.constData());
    lxw_error result = sheet ? LXW_NO_ERROR : LXW_ERROR_SHEETNAME_ALREADY_USED;
    const int columns = table.columnCount();
    for (int c = 0; sheet && c < columns && result == LXW_NO_ERROR; ++c)
        result = worksheet_write_string(sheet, 0, lxw_col_t(c), table.header(c).toUtf8().constData(), nullptr);
    for (int r = 0; sheet && r < rows && result == LXW_NO_ERROR; ++r) {
        for (int c = 0; c < columns && result == LXW_NO_ERROR; ++c) {
            const QString text = table.cell(r, c);
            if (!text.isEmpty())
                result = worksheet_write_string(sheet, lxw_row_t(r + 1), lxw_col_t(c), text.toUtf8().constData(), nullptr);
        }
    }
    const lxw_error closed = workbook_close(workbook);
    if (result == LXW_NO_ERROR)
        result = closed;
    if (result != LXW_NO_ERROR)
        return fail(error, QString::fromUtf8(lxw_strerror(result)));
    return true;
}

bool OfficeXlsxWriter::write(const OfficeTable& table, const QString& sheetName, QIODevice& device, QString* error)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return fail(error, dir.errorString());
    const QString path = dir.filePath(QStringLiteral("export.xlsx"));
    if (!writeFile(table, sheetName, path, error))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    const QByteArray bytes = file.readAll();
    if (device.write(bytes) != bytes.size())
        return fail(error, device.errorString());
    return true;
}
