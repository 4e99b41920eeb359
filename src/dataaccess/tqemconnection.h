#pragma once
// The one connection to the merchandise-management database (QemTorvikConn of the main window),
// or a wrapper around an existing Qt SQL connection such as the local database "DateV".
//
//   TQemConnection conn;                         // merchandise-management database
//   conn.SetConnectionString(storedString);      // the product's SQLVerbindung
//   conn.Open();                                 // throws EQemDatabaseError
//
//   TQemConnection local;                        // local journal, opened by the store
//   local.AttachDatabase(QStringLiteral("DateV"));
//
// Every connect resets the dialect state (xBeforeConnect); GetServer_Type() detects the dialect
// from the connection string: "SQLOLEDB" 0, "MySQL"/"MariaDB" 2, "Microsoft.Jet" 1,
// "Provider=SQLite" 3, else -1 (case-sensitive, in this order). Datasets register themselves
// (GetDataSet / GetDataSetCount). The connection does not own its datasets.

#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/qemdriversettings.h"
#include "dataaccess/qemlayerstate.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>

class TQemDataSet;

class TQemConnection : public QObject {
    Q_OBJECT
public:
    explicit TQemConnection(QObject* owner = nullptr);
    ~TQemConnection() override;
    TQemConnection(const TQemConnection&) = delete;
    TQemConnection& operator=(const TQemConnection&) = delete;

    // Published values.
    int MaxRecords = 0;        // default row limit of datasets whose own MaxRecords is 0
    int CommandTimeout = 30000;
    bool LoginPrompt = false;
    int MaxReLoad = 0;
    int SERVER_TYPE = -1;

    void SetConnectionString(const QString& text);
    QString ConnectionString() const { return connectionString_; }

    // Connects with the stored connection string. Throws EQemDatabaseError with a German text
    // and the driver's message (password masked).
    void Open();
    void Close();
    bool Connected() const;
    void SetConnected(bool value);

    // Wraps an open Qt SQL connection by its name (not owned, never closed by us). The server
    // type comes from its driver (QSQLITE 3, QMYSQL 2, QODBC -1) unless given.
    void AttachDatabase(const QString& qtConnectionName, int serverType = -2);
    bool IsAttached() const { return attached_; }

    QSqlDatabase Database() const;
    QString QtConnectionName() const { return qtName_; }

    // Dialect state.
    void xBeforeConnect();
    int GetServer_Type();
    void ServerTypeOff();
    static int DetectServerType(const QString& connectionString);

    int UserID() const { return userId_; }
    void SetUserID(int id);

    QString GetDataBaseName() const;
    static QString DataBaseNameOf(const QString& connectionString);

    // Writes "RECONNECT Start" to the SQL error log; re-establishes a connection it opened itself.
    // Returns False: the datasets recover by closing and reopening themselves.
    bool Reconnect();
    int ReconnectStatus() const { return reconnectStatus_; }

    // SQL Server: "select @@LANGUAGE"; "DEUTSCH" sets ConvertDateLiterals 0, anything else or a
    // failure 1.
    void AskServerLanguage();

    TQemDataSet* GetDataSet(int index) const;
    int GetDataSetCount() const;

    // Statements outside datasets (our own statements: bind values with '?' or ':name').
    // Throw EQemDatabaseError with the server's message.
    int ExecSQL(const QString& sql, const QVariantList& values = {});
    // First column of the first row; a null QVariant when there is no row.
    QVariant QueryValue(const QString& sql, const QVariantList& values = {});

    // Called with the text of every statement sent through this connection and its datasets
    // (diagnostics and tests).
    std::function<void(const QString&)> OnStatement;
    void NoteStatement(const QString& sql) const;
    // The driver's message of a failed statement, passwords masked.
    static QString ErrorText(const QSqlError& error);

signals:
    void connectedChanged(bool connected);

private:
    friend class TQemDataSet;
    void registerDataSet(TQemDataSet* dataSet);
    void unregisterDataSet(TQemDataSet* dataSet);
    void closeOwnDatabase();

    QString connectionString_;
    QString qtName_;
    bool attached_ = false;
    bool ownOpen_ = false;
    int attachedType_ = -1;
    int userId_ = -1;
    int reconnectStatus_ = 0;
    QList<TQemDataSet*> dataSets_;
};
