#pragma once
// Fixtures for tests and benchmarks.
//
// TempProgramDir: a fresh program directory holding copies of the shipped DateVdb/ and startdb/;
//   while it lives, QEM_PROGRAM_DIR and QEM_REGISTRY point into it (the registry file is
//   <dir>/registry.ini). Removed on destruction.
// TestMariaDb: a fresh database on the test server that CTest's fixture started on 127.0.0.1
//   (address in FIBU_TEST_MARIADB as "host:port"); dropped on destruction. Tests that need it
//   call TestMariaDb::available() and QSKIP otherwise only when not run under CTest.

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// Source tree root (FIBU_SOURCE_DIR, set by CTest) and the built program directory (FIBU_BIN_DIR).
QString sourceDir();
QString binDir();

class TempProgramDir {
public:
    explicit TempProgramDir(bool withShippedData = true);
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString& relative) const { return dir_.filePath(relative); }
    QString registryFile() const { return dir_.filePath(QStringLiteral("registry.ini")); }

private:
    QTemporaryDir dir_;
    QByteArray oldProgramDir_;
    QByteArray oldRegistry_;
};

// Copies a directory tree; returns false on the first failure.
bool copyDirectory(const QString& from, const QString& to);

class TestMariaDb {
public:
    // True when FIBU_TEST_MARIADB names a server.
    static bool available();

    explicit TestMariaDb(const QString& prefix = QStringLiteral("t"));
    ~TestMariaDb();
    TestMariaDb(const TestMariaDb&) = delete;
    TestMariaDb& operator=(const TestMariaDb&) = delete;

    bool isValid() const { return valid_; }
    QString errorText() const { return error_; }
    QString host() const { return host_; }
    int port() const { return port_; }
    QString databaseName() const { return name_; }

    // The stored form the program keeps in the registry, ODBC-style inside Extended Properties.
    QString connectionString() const;
    // A raw Qt SQL connection to the fresh database (connection name: databaseName()).
    QSqlDatabase raw() const;

private:
    QString host_;
    int port_ = 0;
    QString name_;
    QString error_;
    bool valid_ = false;
};

}  // namespace testsupport
