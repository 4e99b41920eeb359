#include "shell/officeexport.h"

#include "shell/officedocxwriter.h"
#include "shell/officexlsxwriter.h"
#include "store/einstellungen.h"
#include "store/feedback.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QUrl>

OfficeExport::OfficeExport(Feedback& feedback) : feedback_(feedback)
{
    opener_ = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
}

QString OfficeExport::newPath(const QString& suffix) const
{
    QString dir = directory_.isEmpty() ? einstellungen().TempPfad : directory_;
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString path = QDir(dir).filePath(QStringLiteral("Primanota_%1.%2").arg(stamp, suffix));
    for (int n = 2; QFile::exists(path); ++n)
        path = QDir(dir).filePath(QStringLiteral("Primanota_%1_%2.%3").arg(stamp).arg(n).arg(suffix));
    return path;
}

bool OfficeExport::finish(bool written, const QString& path, const QString& errorText, const QString& reason)
{
    if (!written) {
        QFile::remove(path);
        feedback_.message(errorText + QStringLiteral("\r") + reason, MessageKind::Error);
        return false;
    }
    lastFile_ = path;
    if (!opener_(path)) {
        feedback_.message(errorText + QStringLiteral("\rDie Datei ") + QDir::toNativeSeparators(path)
                              + QStringLiteral(" kann nicht geöffnet werden."),
                          MessageKind::Error);
        return false;
    }
    feedback_.message(MeldungErfolg, MessageKind::Information);
    return true;
}

bool OfficeExport::GridNachExcel(const OfficeTable& table, const QString& sheetName)
{
    const QString path = newPath(QStringLiteral("xlsx"));
    QString reason;
    const bool written = OfficeXlsxWriter::writeFile(table, sheetName, path, &reason);
    return finish(written, path, FehlerExcel, reason);
}

bool OfficeExport::GridNachWord(const OfficeTable& table)
{
    const QString path = newPath(QStringLiteral("docx"));
    QString reason;
    bool written = false;
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            written = OfficeDocxWriter::write(table, file, &reason);
            file.close();
            written = written && file.error() == QFile::NoError;
        } else {
            reason = file.errorString();
        }
    }
    return finish(written, path, FehlerWord, reason);
}
