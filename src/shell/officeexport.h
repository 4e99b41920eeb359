#pragma once
// GridNachExcel and GridNachWord: the grid's table written as an .xlsx workbook (sheet
// sheetName, "Primanota" for the journal) or a .docx document into the temporary directory,
// then opened with the desktop's default application, and "Der Export wurde erfolgreich
// durchgeführt!" or "Es ist ein Fehler beim Excelexport aufgetreten!" / "... Wordexport ..."
// through feedback.
//
// The opener is injectable (tests record the path instead of starting an application);
// by default QDesktopServices::openUrl. The file stays where it was written.

#include <QString>

#include <functional>

class Feedback;
class OfficeTable;

class OfficeExport {
public:
    using Opener = std::function<bool(const QString& path)>;

    static inline const QString MeldungErfolg = QStringLiteral("Der Export wurde erfolgreich durchgeführt!");
    static inline const QString FehlerExcel = QStringLiteral("Es ist ein Fehler beim Excelexport aufgetreten!");
    static inline const QString FehlerWord = QStringLiteral("Es ist ein Fehler beim Wordexport aufgetreten!");

    explicit OfficeExport(Feedback& feedback);

    void setOpener(Opener opener) { opener_ = std::move(opener); }
    // Directory of the files (default: the temporary directory of the settings).
    void setDirectory(const QString& directory) { directory_ = directory; }
    // Path of the last file written.
    QString lastFile() const { return lastFile_; }

    bool GridNachExcel(const OfficeTable& table, const QString& sheetName);
    bool GridNachWord(const OfficeTable& table);

private:
    QString newPath(const QString& suffix) const;
    bool finish(bool written, const QString& path, const QString& errorText, const QString& reason);

    Feedback& feedback_;
    Opener opener_;
    QString directory_;
    QString lastFile_;
};
