#include "dataaccess/tqemconnection.h"

#include "dataaccess/sqlerrorlog.h"
#include "dataaccess/tqemdataset.h"

#include <QAtomicInt>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString newConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("QemConnection_%1").arg(counter.fetchAndAddRelaxed(1) + 1);
}

int typeOfDriver(const QString& driverName)
{
    if (driverName == QLatin1String("QSQLITE"))
        return stSQLite;
    if (driverName == QLatin1String("QMYSQL") || driverName == QLatin1String("QMARIADB"))
        return stMySql;
    return stUnknown;
}

}  // namespace

QString TQemConnection::ErrorText(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    const QString driver = error.driverText().trimmed();
    if (text.isEmpty())
        text = driver;
    else if (!driver.isEmpty() && !text.contains(driver))
        text = driver + QStringLiteral(": ") + text;
    return maskPassword(text);
}

TQemConnection::TQemConnection(QObject* owner) : QObject(owner)
{
    QemState::ConvertDateLiterals = -1;
}

TQemConnection::~TQemConnection()
{
    // Datasets hold a guarded pointer and see the connection vanish.
    dataSets_.clear();
    closeOwnDatabase();
}

void TQemConnection::SetConnectionString(const QString& text)
{
    if (text == connectionString_)
        return;
    if (Connected() && !attached_)
        Close();
    connectionString_ = text;
    GetServer_Type();
}

void TQemConnection::xBeforeConnect()
{
    QemState::CurrentServerType = -1;
    QemState::ConvertDateLiterals = -1;
    QemState::CurrentUserID = -1;
    userId_ = -1;
    SERVER_TYPE = -1;
}

void TQemConnection::Open()
{
    if (Connected())
        return;
    xBeforeConnect();
    if (attached_) {
        QSqlDatabase db = Database();
        if (!db.open())
            throw EQemDatabaseError(QStringLiteral("Keine Verbindung zur Datenbank: ") + ErrorText(db.lastError()));
        GetServer_Type();
        emit connectedChanged(true);
        return;
    }
    const QemDriverSettings s = QemDriverSettings::fromConnectionString(connectionString_);
    if (s.driver.isEmpty())
        throw EQemDatabaseError(QStringLiteral("Unbekannter Datenbank-Provider in der Verbindung: ")
                                + maskPassword(connectionString_));
    if (!QSqlDatabase::isDriverAvailable(s.driver))
        throw EQemDatabaseError(QStringLiteral("Der Datenbanktreiber %1 ist nicht installiert.").arg(s.driver));
    closeOwnDatabase();
    qtName_ = newConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(s.driver, qtName_);
    db.setDatabaseName(s.databaseName);
    if (!s.hostName.isEmpty() && s.driver != QLatin1String("QODBC"))
        db.setHostName(s.hostName);
    if (s.port > 0)
        db.setPort(s.port);
    db.setUserName(s.userName);
    db.setPassword(s.password);
    db.setConnectOptions(s.connectOptions);
    if (!db.open()) {
        const QString message = ErrorText(db.lastError());
        db = QSqlDatabase();
        closeOwnDatabase();
        throw EQemDatabaseError(QStringLiteral("Keine Verbindung zur Datenbank: ") + message);
    }
    ownOpen_ = true;
    GetServer_Type();
    emit connectedChanged(true);
}

void TQemConnection::Close()
{
    const bool was = Connected();
    for (TQemDataSet* ds : std::as_const(dataSets_))
        if (ds->Active())
            ds->Close();
    if (attached_)
        Database().close();
    else
        closeOwnDatabase();
    if (was)
        emit connectedChanged(false);
}

void TQemConnection::closeOwnDatabase()
{
    if (attached_ || qtName_.isEmpty())
        return;
    if (QSqlDatabase::contains(qtName_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(qtName_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(qtName_);
    }
    qtName_.clear();
    ownOpen_ = false;
}

bool TQemConnection::Connected() const
{
    if (qtName_.isEmpty() || !QSqlDatabase::contains(qtName_))
        return false;
    return QSqlDatabase::database(qtName_, false).isOpen();
}

void TQemConnection::SetConnected(bool value)
{
    if (value)
        Open();
    else
        Close();
}

void TQemConnection::AttachDatabase(const QString& qtConnectionName, int serverType)
{
    closeOwnDatabase();
    attached_ = true;
    qtName_ = qtConnectionName;
    const QSqlDatabase db = QSqlDatabase::database(qtConnectionName, false);
    attachedType_ = serverType >= -1 ? serverType : typeOfDriver(db.driverName());
    if (attachedType_ == stSQLite)
        connectionString_ = QStringLiteral("Provider=SQLite;Data Source=") + db.databaseName();
    else if (attachedType_ == stMySql)
        connectionString_ = QStringLiteral("Provider=MSDASQL.1;Extended Properties=\"DRIVER={MySQL};SERVER=%1;PORT=%2;DATABASE=%3;\"")
                                .arg(db.hostName()).arg(db.port()).arg(db.databaseName());
    GetServer_Type();
}

QSqlDatabase TQemConnection::Database() const
{
    if (qtName_.isEmpty())
        return QSqlDatabase();
    return QSqlDatabase::database(qtName_, false);
}

int TQemConnection::DetectServerType(const QString& connectionString)
{
    return QemDriverSettings::detectServerType(connectionString);
}

int TQemConnection::GetServer_Type()
{
    int type = DetectServerType(connectionString_);
    if (type < 0 && attached_)
        type = attachedType_;
    SERVER_TYPE = type;
    QemState::CurrentServerType = type;
    return type;
}

void TQemConnection::ServerTypeOff()
{
    QemState::CurrentServerType = -1;
    QemState::ConvertDateLiterals = -1;
    SERVER_TYPE = -1;
}

void TQemConnection::SetUserID(int id)
{
    userId_ = id;
    QemState::CurrentUserID = id;
}

QString TQemConnection::DataBaseNameOf(const QString& s)
{
    auto after = [&s](const QString& key) {
        const int at = s.indexOf(key);
        QString part = s.mid(at + key.size(), 255);
        const int semicolon = part.indexOf(QLatin1Char(';'));
        // An entry that ends the text has no ";" to cut at and gives an empty name.
        return semicolon >= 0 ? part.left(semicolon) : QString();
    };
    QString result;
    if (s.contains(QLatin1String("{MySQL")) || s.contains(QLatin1String("{MariaDB")))
        if (s.contains(QLatin1String("DATABASE=")))
            result = after(QStringLiteral("DATABASE="));
    if (s.contains(QLatin1String("Provider=SQLOLEDB")))
        result = s.contains(QLatin1String("Initial Catalog=")) ? after(QStringLiteral("Initial Catalog=")) : QString();
    return result;
}

QString TQemConnection::GetDataBaseName() const
{
    return DataBaseNameOf(connectionString_);
}

bool TQemConnection::Reconnect()
{
    reconnectStatus_ = 1;
    WriteSqlErrorLog(QStringLiteral("RECONNECT Start"));
    // A connection to a server that went away stays dead in the client library; our own
    // connection is opened afresh so that the datasets' reopen can succeed.
    if (!attached_ && !connectionString_.isEmpty()) {
        try {
            closeOwnDatabase();
            Open();
        } catch (const EQemDatabaseError& e) {
            WriteSqlErrorLog(QStringLiteral("RECONNECT Fehler: ") + e.message());
        }
    }
    reconnectStatus_ = 0;
    return false;
}

void TQemConnection::AskServerLanguage()
{
    int convert = 1;
    try {
        const QVariant answer = QueryValue(QStringLiteral("select @@LANGUAGE"));
        if (answer.isValid() && answer.toString().trimmed().toUpper() == QLatin1String("DEUTSCH"))
            convert = 0;
    } catch (const EQemDatabaseError&) {
        convert = 1;
    }
    QemState::ConvertDateLiterals = convert;
}

TQemDataSet* TQemConnection::GetDataSet(int index) const
{
    return index >= 0 && index < dataSets_.size() ? dataSets_.at(index) : nullptr;
}

int TQemConnection::GetDataSetCount() const
{
    return int(dataSets_.size());
}

void TQemConnection::registerDataSet(TQemDataSet* dataSet)
{
    if (!dataSets_.contains(dataSet))
        dataSets_.append(dataSet);
}

void TQemConnection::unregisterDataSet(TQemDataSet* dataSet)
{
    dataSets_.removeAll(dataSet);
}

void TQemConnection::NoteStatement(const QString& sql) const
{
    if (OnStatement)
        OnStatement(sql);
}

namespace {

QSqlQuery runStatement(const TQemConnection& conn, const QString& sql, const QVariantList& values)
{
    conn.NoteStatement(sql);
    QSqlDatabase db = conn.Database();
    if (!db.isOpen())
        throw EQemDatabaseError(QStringLiteral("Keine Verbindung zur Datenbank."));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok;
    if (values.isEmpty()) {
        ok = q.exec(sql);
    } else {
        ok = q.prepare(sql);
        if (ok) {
            for (int i = 0; i < values.size(); ++i)
                q.bindValue(i, values.at(i));
            ok = q.exec();
        }
    }
    if (!ok)
        throw EQemDatabaseError(TQemConnection::ErrorText(q.lastError()));
    return q;
}

}  // namespace

int TQemConnection::ExecSQL(const QString& sql, const QVariantList& values)
{
    QSqlQuery q = runStatement(*this, sql, values);
    return q.numRowsAffected();
}

QVariant TQemConnection::QueryValue(const QString& sql, const QVariantList& values)
{
    QSqlQuery q = runStatement(*this, sql, values);
    if (q.next())
        return q.value(0);
    return QVariant();
}
