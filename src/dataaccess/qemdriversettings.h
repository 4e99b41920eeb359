#pragma once
// How a stored OLE DB connection string reaches a Qt SQL driver.
//
//   "SQLOLEDB" (SQL Server)   -> QODBC, ODBC string DRIVER={ODBC Driver 17 for SQL Server};...
//   "MySQL" / "MariaDB"       -> QMYSQL with SERVER, PORT, DATABASE, UID, PWD of the ODBC-style
//                                string inside Extended Properties="..." (or bare)
//   "Microsoft.Jet" (Access)  -> QODBC, DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=...
//   "Provider=SQLite;Data Source=<file>" -> QSQLITE (our own provider)
//
// The provider is chosen by the server-type detection of TQemConnection (first test wins).
// maskPassword() is the form of a connection string that may appear in messages and logs.

#include <QMap>
#include <QString>

struct QemDriverSettings {
    int serverType = -1;
    QString driver;          // Qt driver name; empty when the provider is not known
    QString hostName;
    int port = -1;
    QString databaseName;    // database, file, or the whole ODBC connect string for QODBC
    QString userName;
    QString password;
    QString connectOptions;  // QSqlDatabase::setConnectOptions

    // Parses a stored connection string. Never throws; an unknown provider leaves driver empty.
    static QemDriverSettings fromConnectionString(const QString& connectionString);
    // The dialect alone (substring tests in the order SQLOLEDB, MySQL/MariaDB, Microsoft.Jet,
    // Provider=SQLite), without parsing the string.
    static int detectServerType(const QString& connectionString);
};

// Splits "a=1;b="x;y";c={z}" into upper-cased keys and unquoted values (first entry wins).
QMap<QString, QString> parseConnectionString(const QString& text);

// The connection string with the value of every PWD= / Password= entry replaced by ***.
QString maskPassword(const QString& connectionString);
