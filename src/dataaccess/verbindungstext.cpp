#include "dataaccess/verbindungstext.h"

#include "dataaccess/qemdriversettings.h"

QString Verbindungstext::text() const
{
    switch (art) {
    case Art::SqlServer: {
        const QString server = port > 0 ? host + QLatin1Char(',') + QString::number(port) : host;
        return QStringLiteral("Provider=SQLOLEDB.1;Data Source=%1;Initial Catalog=%2;User ID=%3;Password=%4")
            .arg(server, datenbank, benutzer, kennwort);
    }
    case Art::MariaDb:
        return QStringLiteral("Provider=MSDASQL.1;Extended Properties=\"DRIVER={MariaDB ODBC 3.1 Driver};"
                              "SERVER=%1;PORT=%2;DATABASE=%3;UID=%4;PWD=%5;\"")
            .arg(host, QString::number(port > 0 ? port : 3306), datenbank, benutzer, kennwort);
    case Art::Access:
        return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=%1;User ID=%2;"
                              "Jet OLEDB:Database Password=%3")
            .arg(datenbank, benutzer.isEmpty() ? QStringLiteral("Admin") : benutzer, kennwort);
    case Art::SQLite:
        return QStringLiteral("Provider=SQLite;Data Source=") + datenbank;
    }
    return QString();
}

Verbindungstext Verbindungstext::aus(const QString& verbindung)
{
    const QemDriverSettings s = QemDriverSettings::fromConnectionString(verbindung);
    Verbindungstext v;
    switch (s.serverType) {
    case 0: {
        v.art = Art::SqlServer;
        const QString server = parseConnectionString(verbindung).value(QStringLiteral("DATA SOURCE"));
        const int komma = server.lastIndexOf(QLatin1Char(','));
        v.host = komma < 0 ? server : server.left(komma);
        v.port = komma < 0 ? 0 : server.mid(komma + 1).toInt();
        v.datenbank = parseConnectionString(verbindung).value(QStringLiteral("INITIAL CATALOG"));
        break;
    }
    case 1:
        v.art = Art::Access;
        v.datenbank = parseConnectionString(verbindung).value(QStringLiteral("DATA SOURCE"));
        break;
    case 2:
        v.art = Art::MariaDb;
        v.host = s.hostName;
        v.port = s.port;
        v.datenbank = s.databaseName;
        break;
    case 3:
        v.art = Art::SQLite;
        v.datenbank = s.databaseName;
        return v;
    default:
        return v;
    }
    v.benutzer = s.userName;
    v.kennwort = s.password;
    return v;
}

QString Verbindungstext::pruefen() const
{
    for (const QString& wert : {host, datenbank, benutzer, kennwort})
        if (wert.contains(QLatin1Char(';')) || wert.contains(QLatin1Char('"')))
            return QStringLiteral("Die Angaben dürfen weder \";\" noch Anführungszeichen enthalten.");
    if (datenbank.trimmed().isEmpty())
        return mitServer() ? QStringLiteral("Bitte geben Sie die Datenbank an.")
                           : QStringLiteral("Bitte wählen Sie die Datenbankdatei aus.");
    if (mitServer() && host.trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie den Server an.");
    return QString();
}
