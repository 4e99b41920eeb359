#pragma once
// One column of a dataset's result: name, type and the typed value of the current row.
// Fields belong to their dataset (TQemDataSet::Fields, FieldByName, FindField) and live from the
// open to the close of the dataset; do not keep pointers across a close.
//
// Reading: Value(), AsString(), AsInteger(), AsFloat(), AsDateTime(), AsDate(), AsBoolean(),
// IsNull(); DisplayText() honours DisplayFormat ("#,###,###,##0.00" gives "1.234,50"),
// Text() is the edit text. Writing (dataset in edit, insert or key entry): SetValue(),
// SetAsString(), ..., Clear(). Texts use the German forms: "12,5", "31.12.2024",
// "31.12.2024 13:05:00", Booleans "True"/"False".

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QVariant>

class TQemDataSet;

enum TFieldType {
    ftUnknown,
    ftString,
    ftWideString,
    ftFixedChar,
    ftSmallint,
    ftInteger,
    ftWord,
    ftAutoInc,
    ftLargeint,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftMemo,
    ftFmtMemo,
    ftBlob,
    ftGraphic,
    ftVariant,
};

class TQemField {
public:
    TQemField(TQemDataSet* dataSet, int index, const QString& name, TFieldType type, int size);

    TQemDataSet* DataSet() const { return dataSet_; }
    int Index() const { return index_; }
    QString FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    int Size() const { return size_; }
    bool IsAutoIncrement() const { return autoInc_ || type_ == ftAutoInc; }
    void SetAutoIncrement(bool value) { autoInc_ = value; }
    bool ReadOnly = false;
    bool Required = false;

    // Classification of DataType().
    bool IsNumeric() const;
    bool IsIntegral() const;
    bool IsText() const;       // string, fixed, wide, memo
    bool IsDateOrTime() const;

    // Current value (edit buffer while editing, else the current row; null at Eof of an empty set).
    QVariant Value() const;
    QVariant OldValue() const; // value of the current row before the edit; null while inserting
    bool IsNull() const;

    QString AsString() const;
    int AsInteger() const;
    qint64 AsLargeInt() const;
    double AsFloat() const;
    bool AsBoolean() const;
    QDateTime AsDateTime() const;
    QDate AsDate() const;
    QTime AsTime() const;

    // Writing needs the dataset in edit, insert or key-entry state (else EQemDatabaseError).
    // A browsing dataset is NOT put into edit state automatically (see BearbeitenStarten).
    void SetValue(const QVariant& value);
    void SetAsString(const QString& text);   // parsed per type: "12,5", "31.12.2024", "True"
    void SetAsInteger(qint64 value) { SetValue(value); }
    void SetAsFloat(double value) { SetValue(value); }
    void SetAsBoolean(bool value) { SetValue(value); }
    void SetAsDateTime(const QDateTime& value) { SetValue(value); }
    void SetAsDate(const QDate& value) { SetValue(value); }
    void Clear() { SetValue(QVariant()); }

    // Display and edit forms of numbers: a pattern of '#', '0', ',' (thousands) and '.'
    // (decimal point), written with German separators. Empty: the plain German number.
    QString DisplayFormat;
    QString EditFormat;
    QString DisplayText() const;
    QString Text() const;

    // Conversions used by the above (also for values that are not the current row's).
    QString TextOf(const QVariant& value) const;
    QString FormatNumber(double value, const QString& pattern) const;
    QVariant ConvertForType(const QVariant& value) const;  // throws on text that does not fit

    // The Qt-side type for a field type, and the field type for a column of a result.
    static TFieldType TypeFromMeta(int metaTypeId, int length);
    static TFieldType TypeFromDeclared(const QString& declaredType);

private:
    TQemDataSet* dataSet_;
    int index_;
    QString name_;
    TFieldType type_;
    int size_;
    bool autoInc_ = false;
};

// "#,###,###,##0.00" applied to a number with German separators ("1.234,50"); '#' digits are
// optional, '0' digits forced, the count of digits after '.' is the number of decimals.
QString QemFormatFloat(double value, const QString& pattern);
