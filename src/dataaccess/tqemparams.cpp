#include "dataaccess/tqemparams.h"

#include "dataaccess/eqemdatabaseerror.h"

TQemParam* TQemParams::FindParam(const QString& name)
{
    for (TQemParam& p : items_)
        if (p.Name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

TQemParam& TQemParams::ParamByName(const QString& name)
{
    if (TQemParam* p = FindParam(name))
        return *p;
    throw EQemDatabaseError(QStringLiteral("Parameter '%1' nicht gefunden").arg(name));
}

TQemParam& TQemParams::CreateParam(const QString& name)
{
    if (TQemParam* p = FindParam(name))
        return *p;
    items_.append(TQemParam(name));
    return items_.last();
}

QStringList TQemParams::Names() const
{
    QStringList names;
    for (const TQemParam& p : items_)
        names << p.Name;
    return names;
}

void TQemParams::ParseSql(const QString& sql)
{
    QList<TQemParam> next;
    for (const QString& name : NamesInSql(sql)) {
        TQemParam p(name);
        if (const TQemParam* old = FindParam(name))
            p.Value = old->Value;
        next.append(p);
    }
    items_ = next;
}

QStringList TQemParams::NamesInSql(const QString& sql)
{
    QStringList names;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`')) {
            quote = c;
            continue;
        }
        if (c == QLatin1Char('[')) {
            quote = QLatin1Char(']');
            continue;
        }
        if (c != QLatin1Char(':'))
            continue;
        if (i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char(':')) {
            ++i;
            continue;
        }
        if (i > 0 && (sql.at(i - 1).isLetterOrNumber() || sql.at(i - 1) == QLatin1Char(':')))
            continue;
        int end = i + 1;
        while (end < sql.size() && (sql.at(end).isLetterOrNumber() || sql.at(end) == QLatin1Char('_')))
            ++end;
        if (end > i + 1) {
            const QString name = sql.mid(i + 1, end - i - 1);
            bool known = false;
            for (const QString& n : std::as_const(names))
                known = known || n.compare(name, Qt::CaseInsensitive) == 0;
            if (!known)
                names << name;
        }
        i = end - 1;
    }
    return names;
}
