#pragma once
// Query on the merchandise-management database (or the local database) with statements written
// in the local dialect: "Adressen.db", WAHR/FALSCH, [brackets], " ISNULL(". Every Open, SetActive
// and ExecSQL translates the text first (TranslateBDEToADO), then applies the row limit.
//
//   TQemQuery q;  q.SetConnection(&conn);
//   q.SetSQL("SELECT * FROM Adressen.db WHERE Aktiv=WAHR ORDER BY Name");
//   q.Open();                         // "SELECT * FROM Adressen WHERE Aktiv=1 ORDER BY Name"
//   q.ExecSQL();                      // statements without result: rows affected
//
// TableName is the base table after " from " (empty when the name ends the text). A post the
// server (or the core) rejects is completed by an explicit INSERT/UPDATE on TableName over the
// columns the table and the result share; deleting a row of a join deletes by the first column.
// On MySQL a detail query follows its master by writing the master's values into the text.

#include "dataaccess/tqemdataset.h"

class TQemQuery : public TQemDataSet {
    Q_OBJECT
public:
    explicit TQemQuery(QObject* owner = nullptr);
    ~TQemQuery() override;

    // The statement as the caller wrote it (translated in place by Open/ExecSQL/SetActive).
    void SetSQL(const QString& sql);
    QString SQL() const { return sql_; }

    // The dialect translation: WAHR/FALSCH/TRUE/FALSE to 1/0, ".db " and ".db\r" suffixes; on
    // MySQL brackets to backticks and " ISNULL(" to " IFNULL("; on SQLite " ISNULL(" only.
    static QString TranslateBDEToADO(const QString& sql, int serverType);
    QString TranslateBDEToADO(const QString& sql) const { return TranslateBDEToADO(sql, SERVER_TYPE); }

    // The base table derived from a statement text (" from " + name up to the first blank).
    static QString TableNameOf(const QString& sql);
    QString TableName() const { return tableName_; }
    QString UpdateTableName() const override;

    void Open() override;
    void SetActive(bool value) override;
    void Close() override;
    int ExecSQL();

    // Row limit: 0 takes the connection's MaxRecords; not positive means no limit.
    int MaxRecords() const { return maxRecords_; }
    void SetMaxRecords(int value);
    void SetTopSelect(int limit);  // applied to SQL()
    void SetTopSelect2();          // MaxRecords applied to CommandText()
    // The same transformation on any text (only texts beginning with "select" change).
    static QString TopSelectText(const QString& sql, int limit, int serverType);

    // Re-query and go back to the same record number.
    void Refresh();
    void QemRefresh() { Refresh(); }

    // "FALSCH"/"WAHR" (any case) become FALSE/TRUE, then the client-side filter.
    void SetFilter(const QString& text) override;

    // First-fetch check: re-applies the master restriction after an open on MySQL.
    void CheckADOFirstError(bool flag);

    bool PostErrorFlag() const { return postErrorFlag_; }

    // Stored only (forms).
    QString DatabaseName;
    QString SessionName;
    bool RequestLive = false;
    bool UniDirectional = false;
    bool NoQem_CHANGE_LOG = false;
    bool ALLQem_CHANGE_LOG = false;
    QString UpdateMode = QStringLiteral("upWhereAll");
    bool AutoRefresh() const { return false; }
    bool CachedUpdates() const { return false; }
    TQemField* ChangeLogField() const { return changeLogField_; }
    QString InsertToken() const { return insertToken_; }

    // MySQL master/detail: the statement with every ":name" replaced by the master's value text.
    QString SubstituteMasterValues(const QString& sql) const;

protected:
    void DoBeforeOpen() override;
    void DoAfterOpen() override;
    void DoBeforePost() override;
    void DoAfterPost() override;
    TDataAction PostError(const EQemDatabaseError& error) override;
    void InternalDelete() override;
    void MasterChanged() override;
    void CheckFirstFetch(bool flag) override { CheckADOFirstError(flag); }

private:
    QString buildFallbackStatement(bool insert) const;
    QStringList metadataColumns(QList<bool>* autoInc) const;
    void afterOpened();

    QString sql_;
    QString tableName_;
    int maxRecords_ = 0;
    bool masterReentry_ = false;
    bool paramProblem_ = false;
    bool postErrorFlag_ = false;
    int savedRecNo_ = 0;
    QString insertToken_;
    TQemField* changeLogField_ = nullptr;
    QString masterSql_;  // text with ":name" placeholders, kept for later master changes (MySQL)
};
