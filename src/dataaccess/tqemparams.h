#pragma once
// Named parameters ":name" of a dataset's statement. The statement text is scanned on every
// SetCommandText (texts in quotes and "::" are skipped); values are bound by name on open.
//
//   q.SetSQL("SELECT * FROM Auftrag WHERE Auftrag=:Auftrag");
//   q.ParamByName("Auftrag").SetValue(17);
//   q.Open();

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class TQemParam {
public:
    explicit TQemParam(const QString& name = {}) : Name(name) {}
    QString Name;
    QVariant Value;
    void SetValue(const QVariant& value) { Value = value; }
    QString AsString() const { return Value.toString(); }
    bool IsNull() const { return Value.isNull(); }
    void Clear() { Value = QVariant(); }
};

class TQemParams {
public:
    int Count() const { return int(items_.size()); }
    bool IsEmpty() const { return items_.isEmpty(); }
    TQemParam& operator[](int i) { return items_[i]; }
    const TQemParam& operator[](int i) const { return items_[i]; }
    // nullptr when unknown (case-insensitive).
    TQemParam* FindParam(const QString& name);
    // Throws EQemDatabaseError "Parameter '<name>' nicht gefunden".
    TQemParam& ParamByName(const QString& name);
    TQemParam& CreateParam(const QString& name);
    void Clear() { items_.clear(); }
    QStringList Names() const;

    // Re-reads the names from the text; values of names that stay are kept.
    void ParseSql(const QString& sql);
    // Names of ":name" placeholders outside string literals, in order of first appearance.
    static QStringList NamesInSql(const QString& sql);

private:
    QList<TQemParam> items_;
};
