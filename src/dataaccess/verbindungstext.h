#pragma once
// The connection string of a merchandise-management database built from the fields of the
// connection dialog, and the fields read back from a stored string. The forms are the ones
// the connection understands (see QemDriverSettings):
//   SQL Server: Provider=SQLOLEDB.1;Data Source=host[,port];Initial Catalog=db;User ID=u;Password=p
//   MySQL/MariaDB: Provider=MSDASQL.1;Extended Properties="DRIVER={MariaDB ODBC 3.1 Driver};
//                  SERVER=host;PORT=port;DATABASE=db;UID=u;PWD=p;"
//   Access: Provider=Microsoft.Jet.OLEDB.4.0;Data Source=file;User ID=u;Jet OLEDB:Database Password=p
//   SQLite: Provider=SQLite;Data Source=file
// Values are written as given; a value holding ";" or a quote cannot be stored in these forms
// and is refused by pruefen().

#include <QString>

struct Verbindungstext {
    enum class Art { SqlServer = 0, MariaDb = 1, Access = 2, SQLite = 3 };

    Art art = Art::MariaDb;
    QString host;
    int port = 0;          // 0 = the server's default
    QString datenbank;     // database name, or the file for Access and SQLite
    QString benutzer;
    QString kennwort;

    QString text() const;
    // The fields of a stored string; an unknown provider gives MySQL/MariaDB with empty fields.
    static Verbindungstext aus(const QString& verbindung);
    // Empty when the fields can be stored, else the German reason.
    QString pruefen() const;
    // Whether the kind has a server (host, port, user, password) or only a file.
    bool mitServer() const { return art == Art::SqlServer || art == Art::MariaDb; }
};
