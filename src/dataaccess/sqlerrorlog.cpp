#include "dataaccess/sqlerrorlog.h"

#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/qemdriversettings.h"
#include "dataaccess/qemlayerstate.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

QString qemProgramDirectory()
{
    const QString dir = qEnvironmentVariable("QEM_PROGRAM_DIR");
    if (!dir.isEmpty())
        return dir;
    return QCoreApplication::applicationDirPath();
}

QString sqlErrorLogPath(const QDate& day)
{
    QString stamp = day.toString(QStringLiteral("yyyyMMdd"));
    stamp.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QDir(qemProgramDirectory()).filePath(QStringLiteral("SQLERROR_") + stamp + QStringLiteral(".LOG"));
}

void WriteSqlErrorLog(const QString& text)
{
    const QDateTime now = QDateTime::currentDateTime();
    QString oneLine = maskPassword(text);
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '));
    oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = QemState::LogStation + QLatin1Char(' ')
                         + now.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")) + QStringLiteral(": ")
                         + oneLine + QStringLiteral("\r\n");
    QFile file(sqlErrorLogPath(now.date()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        throw EQemDatabaseError(QStringLiteral("Das SQL-Fehlerprotokoll %1 kann nicht geschrieben werden: %2")
                                    .arg(file.fileName(), file.errorString()));
    const QByteArray bytes = line.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw EQemDatabaseError(QStringLiteral("Das SQL-Fehlerprotokoll %1 kann nicht geschrieben werden: %2")
                                    .arg(file.fileName(), file.errorString()));
}
