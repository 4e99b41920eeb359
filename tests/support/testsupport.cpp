#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QCoreApplication>

namespace testsupport {

QString sourceDir()
{
    const QString dir = qEnvironmentVariable("FIBU_SOURCE_DIR");
    return dir.isEmpty() ? QStringLiteral(FIBU_SOURCE_DIR_DEFAULT) : dir;
}

QString binDir()
{
    const QString dir = qEnvironmentVariable("FIBU_BIN_DIR");
    return dir.isEmpty() ? QStringLiteral(FIBU_BIN_DIR_DEFAULT) : dir;
}

bool copyDirectory(const QString& from, const QString& to)
{
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QLatin1Char('/') + source.relativeFilePath(file);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else {
            QFile::remove(target);
            if (!QFile::copy(file, target))
                return false;
        }
    }
    return true;
}

TempProgramDir::TempProgramDir(bool withShippedData)
    : oldProgramDir_(qgetenv("QEM_PROGRAM_DIR")), oldRegistry_(qgetenv("QEM_REGISTRY"))
{
    if (withShippedData) {
        const QString resources = sourceDir() + QStringLiteral("/resources");
        copyDirectory(resources + QStringLiteral("/DateVdb"), filePath(QStringLiteral("DateVdb")));
        copyDirectory(resources + QStringLiteral("/startdb"), filePath(QStringLiteral("startdb")));
    }
    qputenv("QEM_PROGRAM_DIR", path().toLocal8Bit());
    qputenv("QEM_REGISTRY", registryFile().toLocal8Bit());
}

TempProgramDir::~TempProgramDir()
{
    auto restore = [](const char* name, const QByteArray& old) {
        if (old.isNull())
            qunsetenv(name);
        else
            qputenv(name, old);
    };
    restore("QEM_PROGRAM_DIR", oldProgramDir_);
    restore("QEM_REGISTRY", oldRegistry_);
}

bool TestMariaDb::available()
{
    return !qEnvironmentVariable("FIBU_TEST_MARIADB").isEmpty();
}

TestMariaDb::TestMariaDb(const QString& prefix)
{
    const QStringList address = qEnvironmentVariable("FIBU_TEST_MARIADB").split(QLatin1Char(':'));
    if (address.size() != 2) {
        error_ = QStringLiteral("FIBU_TEST_MARIADB is not set (host:port)");
        return;
    }
    host_ = address[0];
    port_ = address[1].toInt();
    name_ = QStringLiteral("%1_%2_%3").arg(prefix).arg(QCoreApplication::applicationPid())
                .arg(QRandomGenerator::global()->bounded(1000000));

    const QString adminName = name_ + QStringLiteral("_admin");
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), adminName);
        admin.setHostName(host_);
        admin.setPort(port_);
        admin.setUserName(QStringLiteral("root"));
        if (!admin.open()) {
            error_ = admin.lastError().text();
        } else {
            QSqlQuery q(admin);
            if (!q.exec(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4").arg(name_)))
                error_ = q.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(adminName);
    if (!error_.isEmpty())
        return;

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name_);
    db.setHostName(host_);
    db.setPort(port_);
    db.setUserName(QStringLiteral("root"));
    db.setDatabaseName(name_);
    valid_ = db.open();
    if (!valid_)
        error_ = db.lastError().text();
}

TestMariaDb::~TestMariaDb()
{
    if (valid_) {
        QSqlQuery q(raw());
        q.exec(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(name_));
    }
    if (!name_.isEmpty() && QSqlDatabase::contains(name_)) {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
}

QString TestMariaDb::connectionString() const
{
    return QStringLiteral("Provider=MSDASQL.1;Extended Properties=\"DRIVER={MariaDB ODBC 3.1 Driver};"
                          "SERVER=%1;PORT=%2;DATABASE=%3;UID=root;PWD=;\"")
        .arg(host_).arg(port_).arg(name_);
}

QSqlDatabase TestMariaDb::raw() const
{
    return QSqlDatabase::database(name_, false);
}

}  // namespace testsupport
