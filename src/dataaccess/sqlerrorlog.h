#pragma once
// SQL error log of the data access layer: "SQLERROR_" + yyyymmdd + ".LOG" in the program
// directory, one line per call: LogStation, a blank, date and time ("dd.MM.yyyy hh:mm:ss"),
// ": ", the text. The file is opened for appending, flushed and closed after every line.
// Line breaks inside the text become blanks so that one failure stays one line; passwords of
// connection strings in the text are masked. A failure to write throws EQemDatabaseError.

#include <QDate>
#include <QString>

// Program directory: QEM_PROGRAM_DIR when set, else the directory of the executable.
QString qemProgramDirectory();

// Full path of the log file of the given day.
QString sqlErrorLogPath(const QDate& day = QDate::currentDate());

void WriteSqlErrorLog(const QString& text);
