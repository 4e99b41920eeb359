#include "dataaccess/tqemfield.h"

#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/tqemdataset.h"

#include <QLocale>
#include <QMetaType>

#include <cmath>

namespace {

const QLocale& germanLocale()
{
    static const QLocale locale = [] {
        QLocale l(QLocale::German, QLocale::Germany);
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    return locale;
}

bool parseNumber(const QString& raw, double* out)
{
    QString text = raw.trimmed();
    text.remove(QLatin1Char(' '));
    if (text.contains(QLatin1Char(','))) {
        text.remove(QLatin1Char('.'));
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (ok)
        *out = value;
    return ok;
}

// The stored forms "yyyy-MM-dd" and "yyyy-MM-dd hh:mm:ss", read without format parsing: the
// local journal holds them in every row.
bool digitsAt(const QString& t, int from, int count)
{
    for (int i = from; i < from + count; ++i)
        if (!t.at(i).isDigit())
            return false;
    return true;
}

int numberAt(const QString& t, int from, int count)
{
    int n = 0;
    for (int i = from; i < from + count; ++i)
        n = n * 10 + t.at(i).digitValue();
    return n;
}

QDate parseIsoDate(const QString& t)
{
    if (t.size() != 10 || !digitsAt(t, 0, 4) || t.at(4) != QLatin1Char('-') || !digitsAt(t, 5, 2)
        || t.at(7) != QLatin1Char('-') || !digitsAt(t, 8, 2))
        return {};
    return QDate(numberAt(t, 0, 4), numberAt(t, 5, 2), numberAt(t, 8, 2));
}

QDateTime parseIso(const QString& t)
{
    if ((t.size() != 10 && t.size() != 19) || !digitsAt(t, 0, 4) || t.at(4) != QLatin1Char('-') || !digitsAt(t, 5, 2)
        || t.at(7) != QLatin1Char('-') || !digitsAt(t, 8, 2))
        return {};
    const QDate d(numberAt(t, 0, 4), numberAt(t, 5, 2), numberAt(t, 8, 2));
    if (!d.isValid())
        return {};
    if (t.size() == 10)
        return QDateTime(d, QTime(0, 0));
    if ((t.at(10) != QLatin1Char(' ') && t.at(10) != QLatin1Char('T')) || !digitsAt(t, 11, 2) || t.at(13) != QLatin1Char(':')
        || !digitsAt(t, 14, 2) || t.at(16) != QLatin1Char(':') || !digitsAt(t, 17, 2))
        return {};
    const QTime time(numberAt(t, 11, 2), numberAt(t, 14, 2), numberAt(t, 17, 2));
    return time.isValid() ? QDateTime(d, time) : QDateTime();
}

QDateTime parseDateTime(const QString& raw)
{
    const QString text = raw.trimmed();
    if (const QDateTime iso = parseIso(text); iso.isValid())
        return iso;
    static const char* const formats[] = {
        "dd.MM.yyyy hh:mm:ss", "dd.MM.yyyy hh:mm", "d.M.yyyy h:mm:ss", "d.M.yyyy h:mm", "dd.MM.yyyy",
        "d.M.yyyy", "dd.MM.yy", "yyyy-MM-dd hh:mm:ss", "yyyy-MM-ddThh:mm:ss", "yyyy-MM-dd hh:mm:ss.zzz",
        "yyyy-MM-ddThh:mm:ss.zzz", "yyyy-MM-dd hh:mm", "yyyy-MM-dd", "yyyyMMdd hh:mm:ss", "yyyyMMdd",
    };
    for (const char* f : formats) {
        const QString format = QString::fromLatin1(f);
        QDateTime dt = QDateTime::fromString(text, format);
        if (dt.isValid()) {
            if (format.endsWith(QLatin1String("yy")) && !format.endsWith(QLatin1String("yyyy"))
                && dt.date().year() < 1950)
                dt = dt.addYears(100);
            return dt;
        }
        const QDate d = QDate::fromString(text, format);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    return {};
}

QTime parseTime(const QString& raw)
{
    const QString text = raw.trimmed();
    for (const char* f : {"hh:mm:ss", "h:mm:ss", "hh:mm", "h:mm", "hh:mm:ss.zzz"}) {
        const QTime t = QTime::fromString(text, QString::fromLatin1(f));
        if (t.isValid())
            return t;
    }
    const QDateTime dt = parseDateTime(text);
    return dt.isValid() ? dt.time() : QTime();
}

int boolFromText(const QString& raw)
{
    const QString t = raw.trimmed().toUpper();
    if (t == QLatin1String("TRUE") || t == QLatin1String("WAHR") || t == QLatin1String("1") || t == QLatin1String("T")
        || t == QLatin1String("J") || t == QLatin1String("JA") || t == QLatin1String("Y") || t == QLatin1String("YES")
        || t == QLatin1String("-1"))
        return 1;
    if (t == QLatin1String("FALSE") || t == QLatin1String("FALSCH") || t == QLatin1String("0") || t == QLatin1String("F")
        || t == QLatin1String("N") || t == QLatin1String("NEIN") || t == QLatin1String("NO"))
        return 0;
    return -1;
}

bool isCharType(int id)
{
    return id == QMetaType::Char || id == QMetaType::SChar || id == QMetaType::UChar;
}

}  // namespace

TQemField::TQemField(TQemDataSet* dataSet, int index, const QString& name, TFieldType type, int size)
    : dataSet_(dataSet), index_(index), name_(name), type_(type), size_(size)
{
}

bool TQemField::IsNumeric() const
{
    switch (type_) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
    case ftFloat: case ftCurrency: case ftBCD:
        return true;
    default:
        return false;
    }
}

bool TQemField::IsIntegral() const
{
    return type_ == ftSmallint || type_ == ftInteger || type_ == ftWord || type_ == ftAutoInc || type_ == ftLargeint;
}

bool TQemField::IsText() const
{
    return type_ == ftString || type_ == ftWideString || type_ == ftFixedChar || type_ == ftMemo || type_ == ftFmtMemo;
}

bool TQemField::IsDateOrTime() const
{
    return type_ == ftDate || type_ == ftTime || type_ == ftDateTime;
}

QVariant TQemField::Value() const
{
    return dataSet_->currentValue(index_);
}

QVariant TQemField::OldValue() const
{
    return dataSet_->oldValue(index_);
}

bool TQemField::IsNull() const
{
    return dataSet_->currentValue(index_).isNull();
}

QString TQemField::TextOf(const QVariant& v) const
{
    if (v.isNull() || !v.isValid())
        return {};
    switch (type_) {
    case ftBoolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case ftFloat: case ftCurrency: case ftBCD:
        return germanLocale().toString(v.toDouble(), 'g', 15);
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
        if (isCharType(v.typeId()))
            return QString::number(v.toInt());
        return QString::number(v.toLongLong());
    case ftDate: {
        const QDate d = v.typeId() == QMetaType::QString ? parseDateTime(v.toString()).date() : v.toDate();
        return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : v.toString();
    }
    case ftDateTime: {
        const QDateTime dt = v.typeId() == QMetaType::QString ? parseDateTime(v.toString()) : v.toDateTime();
        if (!dt.isValid())
            return v.toString();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("dd.MM.yyyy"));
        return dt.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    }
    case ftTime: {
        const QTime t = v.typeId() == QMetaType::QString ? parseTime(v.toString()) : v.toTime();
        return t.isValid() ? t.toString(QStringLiteral("hh:mm:ss")) : v.toString();
    }
    default:
        if (v.typeId() == QMetaType::Double)
            return germanLocale().toString(v.toDouble(), 'g', 15);
        return v.toString();
    }
}

QString TQemField::AsString() const
{
    return TextOf(Value());
}

qint64 TQemField::AsLargeInt() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return qint64(std::llround(v.toDouble()));
    case QMetaType::QString: {
        bool ok = false;
        const qint64 n = v.toString().trimmed().toLongLong(&ok);
        if (ok)
            return n;
        double d = 0;
        if (parseNumber(v.toString(), &d))
            return qint64(std::llround(d));
        if (boolFromText(v.toString()) >= 0)
            return boolFromText(v.toString());
        throw EQemDatabaseError(QStringLiteral("'%1' ist kein gültiger Ganzzahlwert für das Feld %2").arg(v.toString(), name_));
    }
    default:
        return v.toLongLong();
    }
}

int TQemField::AsInteger() const
{
    return int(AsLargeInt());
}

double TQemField::AsFloat() const
{
    const QVariant v = Value();
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        double d = 0;
        if (v.toString().trimmed().isEmpty())
            return 0;
        if (!parseNumber(v.toString(), &d))
            throw EQemDatabaseError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert für das Feld %2").arg(v.toString(), name_));
        return d;
    }
    return v.toDouble();
}

bool TQemField::AsBoolean() const
{
    const QVariant v = Value();
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString)
        return boolFromText(v.toString()) == 1;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    return v.toDouble() != 0;
}

QDateTime TQemField::AsDateTime() const
{
    const QVariant v = Value();
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::QDate:
        return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QTime:
        return QDateTime(QDate(1899, 12, 30), v.toTime());
    case QMetaType::QDateTime:
        return v.toDateTime();
    case QMetaType::QString:
        if (type_ == ftTime)
            return QDateTime(QDate(1899, 12, 30), parseTime(v.toString()));
        return parseDateTime(v.toString());
    default:
        return v.toDateTime();
    }
}

QDate TQemField::AsDate() const
{
    return AsDateTime().date();
}

QTime TQemField::AsTime() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QTime)
        return v.toTime();
    return AsDateTime().time();
}

QVariant TQemField::ConvertForType(const QVariant& v) const
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    const bool isText = v.typeId() == QMetaType::QString;
    const QString text = isText ? v.toString() : QString();
    auto invalid = [&]() {
        return EQemDatabaseError(QStringLiteral("'%1' ist kein gültiger Wert für das Feld %2").arg(v.toString(), name_));
    };
    switch (type_) {
    case ftBoolean: {
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            const int b = boolFromText(text);
            if (b < 0)
                throw invalid();
            return QVariant(b == 1);
        }
        if (v.typeId() == QMetaType::Bool)
            return v;
        return QVariant(v.toDouble() != 0);
    }
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint: {
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            bool ok = false;
            const qint64 n = text.trimmed().toLongLong(&ok);
            if (ok)
                return QVariant(n);
            double d = 0;
            if (!parseNumber(text, &d))
                throw invalid();
            return QVariant(qint64(std::llround(d)));
        }
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            return QVariant(qint64(std::llround(v.toDouble())));
        if (v.typeId() == QMetaType::Bool)
            return QVariant(qint64(v.toBool() ? 1 : 0));
        if (isCharType(v.typeId()))
            return QVariant(qint64(v.toInt()));
        return QVariant(v.toLongLong());
    }
    case ftFloat: case ftCurrency: case ftBCD: {
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            double d = 0;
            if (!parseNumber(text, &d))
                throw invalid();
            return QVariant(d);
        }
        return QVariant(v.toDouble());
    }
    case ftDate: {
        QDate d;
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            // Local date-times cost a time-zone lookup each; plain dates need none.
            d = parseIsoDate(text);
            if (!d.isValid())
                d = parseDateTime(text).date();
        } else {
            d = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
        }
        if (!d.isValid())
            throw invalid();
        return QVariant(d);
    }
    case ftDateTime: {
        QDateTime dt;
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            dt = parseDateTime(text);
        } else if (v.typeId() == QMetaType::QDate) {
            dt = QDateTime(v.toDate(), QTime(0, 0));
        } else {
            dt = v.toDateTime();
        }
        if (!dt.isValid())
            throw invalid();
        return QVariant(dt);
    }
    case ftTime: {
        QTime t;
        if (isText) {
            if (text.trimmed().isEmpty())
                return QVariant();
            t = parseTime(text);
        } else {
            t = v.typeId() == QMetaType::QDateTime ? v.toDateTime().time() : v.toTime();
        }
        if (!t.isValid())
            throw invalid();
        return QVariant(t);
    }
    case ftString: case ftWideString: case ftFixedChar: case ftMemo: case ftFmtMemo:
        if (isText)
            return v;
        return QVariant(TextOf(v));
    default:
        return v;
    }
}

void TQemField::SetValue(const QVariant& value)
{
    if (ReadOnly)
        throw EQemDatabaseError(QStringLiteral("Das Feld %1 kann nicht geändert werden.").arg(name_));
    dataSet_->setFieldValue(index_, ConvertForType(value));
}

void TQemField::SetAsString(const QString& text)
{
    if (text.isEmpty() && !IsText()) {
        SetValue(QVariant());
        return;
    }
    SetValue(QVariant(text));
}

QString TQemField::DisplayText() const
{
    if (IsNumeric() && !DisplayFormat.isEmpty()) {
        const QVariant v = Value();
        return v.isNull() ? QString() : QemFormatFloat(AsFloat(), DisplayFormat);
    }
    return AsString();
}

QString TQemField::Text() const
{
    const QString& format = EditFormat.isEmpty() ? DisplayFormat : EditFormat;
    if (IsNumeric() && !format.isEmpty()) {
        const QVariant v = Value();
        return v.isNull() ? QString() : QemFormatFloat(AsFloat(), format);
    }
    return AsString();
}

QString TQemField::FormatNumber(double value, const QString& pattern) const
{
    return QemFormatFloat(value, pattern);
}

TFieldType TQemField::TypeFromMeta(int id, int length)
{
    switch (id) {
    case QMetaType::Bool:
        return ftBoolean;
    case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar:
        return length == 1 ? ftBoolean : ftSmallint;
    case QMetaType::Short:
        return ftSmallint;
    case QMetaType::UShort:
        return ftWord;
    case QMetaType::Int: case QMetaType::UInt:
        return ftInteger;
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::LongLong: case QMetaType::ULongLong:
        return ftLargeint;
    case QMetaType::Double: case QMetaType::Float:
        return ftFloat;
    case QMetaType::QDate:
        return ftDate;
    case QMetaType::QTime:
        return ftTime;
    case QMetaType::QDateTime:
        return ftDateTime;
    case QMetaType::QString:
        return length >= 65535 ? ftMemo : ftString;
    case QMetaType::QByteArray:
        return ftBlob;
    default:
        return ftVariant;
    }
}

TFieldType TQemField::TypeFromDeclared(const QString& declared)
{
    const QString t = declared.trimmed().toUpper();
    if (t.isEmpty())
        return ftUnknown;
    auto starts = [&t](const char* word) { return t.startsWith(QLatin1String(word)); };
    if (starts("BOOL") || t == QLatin1String("BIT") || t == QLatin1String("YESNO") || t == QLatin1String("LOGICAL"))
        return ftBoolean;
    if (starts("DATETIME") || starts("TIMESTAMP"))
        return ftDateTime;
    if (starts("DATE"))
        return ftDate;
    if (starts("TIME"))
        return ftTime;
    if (starts("BIGINT") || starts("INT8"))
        return ftLargeint;
    if (starts("SMALLINT") || starts("TINYINT") || starts("INT2"))
        return ftSmallint;
    if (starts("WORD"))
        return ftWord;
    if (starts("AUTOINC") || starts("COUNTER"))
        return ftAutoInc;
    if (t.contains(QLatin1String("INT")))
        return ftInteger;
    if (starts("CURRENCY") || starts("MONEY"))
        return ftCurrency;
    if (starts("REAL") || starts("DOUBLE") || starts("FLOAT") || starts("NUMERIC") || starts("DECIMAL")
        || starts("NUMBER"))
        return ftFloat;
    if (starts("MEMO") || starts("LONGTEXT") || starts("MEDIUMTEXT") || starts("CLOB") || starts("NTEXT"))
        return ftMemo;
    if (starts("BLOB") || starts("GRAPHIC") || starts("IMAGE") || starts("BINARY") || starts("VARBINARY")
        || starts("LONGBINARY"))
        return ftBlob;
    return ftString;
}

QString QemFormatFloat(double value, const QString& pattern)
{
    const QString section = pattern.section(QLatin1Char(';'), 0, 0);
    const int point = section.indexOf(QLatin1Char('.'));
    const QString intPart = point >= 0 ? section.left(point) : section;
    const QString fracPart = point >= 0 ? section.mid(point + 1) : QString();
    int decimals = 0;
    for (QChar c : fracPart)
        if (c == QLatin1Char('0') || c == QLatin1Char('#'))
            ++decimals;
    const bool grouping = intPart.contains(QLatin1Char(','));
    const int minIntDigits = int(intPart.count(QLatin1Char('0')));

    const double factor = std::pow(10.0, decimals);
    double rounded = std::round(std::fabs(value) * factor) / factor;
    const bool negative = value < 0 && rounded != 0;
    QString digits = QString::number(rounded, 'f', decimals);
    QString whole = digits.section(QLatin1Char('.'), 0, 0);
    QString frac = decimals > 0 ? digits.section(QLatin1Char('.'), 1, 1) : QString();
    // Optional '#' places after the point drop trailing zeros beyond the forced '0' places.
    const int forcedFrac = int(fracPart.count(QLatin1Char('0')));
    while (frac.size() > forcedFrac && frac.endsWith(QLatin1Char('0')))
        frac.chop(1);
    if (whole == QLatin1String("0") && minIntDigits == 0)
        whole.clear();
    while (whole.size() < minIntDigits)
        whole.prepend(QLatin1Char('0'));
    if (grouping) {
        for (int i = int(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(i, QLatin1Char('.'));
    }
    QString result = whole;
    if (!frac.isEmpty())
        result += QLatin1Char(',') + frac;
    if (result.isEmpty())
        result = QStringLiteral("0");
    return negative ? QLatin1Char('-') + result : result;
}
