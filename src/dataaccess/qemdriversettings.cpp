#include "dataaccess/qemdriversettings.h"

#include <QRegularExpression>

namespace {

// Reads one value at pos: "quoted" (with "" for a quote), 'quoted', {braced} or plain up to ';'.
QString readValue(const QString& text, int& pos)
{
    while (pos < text.size() && text.at(pos) == QLatin1Char(' '))
        ++pos;
    if (pos >= text.size())
        return {};
    const QChar first = text.at(pos);
    QString value;
    if (first == QLatin1Char('"') || first == QLatin1Char('\'')) {
        ++pos;
        while (pos < text.size()) {
            const QChar c = text.at(pos++);
            if (c == first) {
                if (pos < text.size() && text.at(pos) == first) {
                    value += c;
                    ++pos;
                    continue;
                }
                break;
            }
            value += c;
        }
        while (pos < text.size() && text.at(pos) != QLatin1Char(';'))
            ++pos;
        return value;
    }
    if (first == QLatin1Char('{')) {
        const int end = text.indexOf(QLatin1Char('}'), pos);
        value = text.mid(pos, end < 0 ? -1 : end - pos + 1);
        pos = end < 0 ? int(text.size()) : end + 1;
        while (pos < text.size() && text.at(pos) != QLatin1Char(';'))
            ++pos;
        return value;
    }
    const int end = text.indexOf(QLatin1Char(';'), pos);
    value = text.mid(pos, end < 0 ? -1 : end - pos).trimmed();
    pos = end < 0 ? int(text.size()) : end;
    return value;
}

QString unbrace(const QString& value)
{
    if (value.startsWith(QLatin1Char('{')) && value.endsWith(QLatin1Char('}')))
        return value.mid(1, value.size() - 2);
    return value;
}

int detect(const QString& s)
{
    if (s.contains(QLatin1String("SQLOLEDB")))
        return 0;
    if (s.contains(QLatin1String("MySQL")) || s.contains(QLatin1String("MariaDB")))
        return 2;
    if (s.contains(QLatin1String("Microsoft.Jet")))
        return 1;
    if (s.contains(QLatin1String("Provider=SQLite")))
        return 3;
    return -1;
}

QString odbcValue(const QString& value)
{
    // Values with ';' or braces must be braced in an ODBC connect string.
    if (value.contains(QLatin1Char(';')) || value.contains(QLatin1Char('{')) || value.contains(QLatin1Char('}')))
        return QLatin1Char('{') + QString(value).replace(QLatin1String("}"), QLatin1String("}}")) + QLatin1Char('}');
    return value;
}

}  // namespace

int QemDriverSettings::detectServerType(const QString& connectionString)
{
    return detect(connectionString);
}

QMap<QString, QString> parseConnectionString(const QString& text)
{
    QMap<QString, QString> result;
    int pos = 0;
    while (pos < text.size()) {
        const int eq = text.indexOf(QLatin1Char('='), pos);
        if (eq < 0)
            break;
        const QString key = text.mid(pos, eq - pos).trimmed().toUpper();
        pos = eq + 1;
        const QString value = readValue(text, pos);
        if (!key.isEmpty() && !result.contains(key))
            result.insert(key, value);
        if (pos < text.size() && text.at(pos) == QLatin1Char(';'))
            ++pos;
    }
    return result;
}

QemDriverSettings QemDriverSettings::fromConnectionString(const QString& connectionString)
{
    QemDriverSettings s;
    s.serverType = detect(connectionString);
    const QMap<QString, QString> outer = parseConnectionString(connectionString);
    const QString extended = outer.value(QStringLiteral("EXTENDED PROPERTIES"));
    const QMap<QString, QString> inner = extended.isEmpty() ? outer : parseConnectionString(extended);
    auto pick = [&](std::initializer_list<const char*> keys) {
        for (const char* key : keys) {
            const QString k = QString::fromLatin1(key);
            if (inner.contains(k))
                return unbrace(inner.value(k));
            if (outer.contains(k))
                return unbrace(outer.value(k));
        }
        return QString();
    };

    switch (s.serverType) {
    case 0: {
        s.driver = QStringLiteral("QODBC");
        const QString server = pick({"DATA SOURCE", "SERVER", "ADDRESS"});
        const QString catalog = pick({"INITIAL CATALOG", "DATABASE"});
        s.userName = pick({"USER ID", "UID"});
        s.password = pick({"PASSWORD", "PWD"});
        QString odbc = QStringLiteral("DRIVER={ODBC Driver 17 for SQL Server};SERVER=") + odbcValue(server)
                       + QStringLiteral(";DATABASE=") + odbcValue(catalog) + QLatin1Char(';');
        if (pick({"INTEGRATED SECURITY"}).compare(QLatin1String("SSPI"), Qt::CaseInsensitive) == 0)
            odbc += QStringLiteral("Trusted_Connection=yes;");
        s.databaseName = odbc;
        s.hostName = server;
        break;
    }
    case 1: {
        s.driver = QStringLiteral("QODBC");
        const QString file = pick({"DATA SOURCE", "DBQ"});
        s.password = pick({"JET OLEDB:DATABASE PASSWORD", "PASSWORD", "PWD"});
        s.userName = pick({"USER ID", "UID"});
        s.databaseName = QStringLiteral("DRIVER={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=") + odbcValue(file)
                         + QLatin1Char(';');
        break;
    }
    case 2: {
        s.driver = QStringLiteral("QMYSQL");
        s.hostName = pick({"SERVER", "HOST", "DATA SOURCE"});
        bool ok = false;
        const int port = pick({"PORT"}).toInt(&ok);
        s.port = ok && port > 0 ? port : 3306;
        s.databaseName = pick({"DATABASE", "INITIAL CATALOG", "DB"});
        s.userName = pick({"UID", "USER", "USER ID"});
        s.password = pick({"PWD", "PASSWORD"});
        // Affected rows count matched rows, so an UPDATE that writes equal values still counts
        // as having found its row.
        s.connectOptions = QStringLiteral("CLIENT_FOUND_ROWS=1;MYSQL_OPT_CONNECT_TIMEOUT=30");
        break;
    }
    case 3:
        s.driver = QStringLiteral("QSQLITE");
        s.databaseName = pick({"DATA SOURCE"});
        break;
    default:
        break;
    }
    return s;
}

QString maskPassword(const QString& connectionString)
{
    static const QRegularExpression re(
        QStringLiteral("((?:^|[;\"'\\s])\\s*(?:PWD|PASSWORD|Jet OLEDB:Database Password)\\s*=\\s*)"
                       "(\\{[^}]*\\}|\"[^\"]*\"|'[^']*'|[^;\"']*)"),
        QRegularExpression::CaseInsensitiveOption);
    QString result = connectionString;
    result.replace(re, QStringLiteral("\\1***"));
    return result;
}
