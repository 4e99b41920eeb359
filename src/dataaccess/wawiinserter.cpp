#include "dataaccess/wawiinserter.h"

#include <QDate>
#include <QSqlError>

WawiInserter::WawiInserter(QSqlDatabase& db, const QString& tabelle,
                           const WawiSchemaOptions& options, int rowsPerStatement)
    : db_(db), tabelle_(tabelle), dialect_(WawiSchema::dialectOf(db)),
      rowsPerStatement_(qMax(1, rowsPerStatement)), fullQuery_(db)
{
    if (const WawiTabelle* t = WawiSchema::tabelle(tabelle)) {
        tabelle_ = t->name;
        felder_ = WawiSchema::felder(*t, options);
    } else {
        error_ = QStringLiteral("Unbekannte Tabelle: ") + tabelle;
    }
}

QVariant WawiInserter::defaultFor(const WawiFeld& feld) const
{
    switch (feld.typ) {
    case WawiFeldTyp::AutoInc:
    case WawiFeldTyp::Date:
    case WawiFeldTyp::DateTime:
        return QVariant();
    case WawiFeldTyp::String:
    case WawiFeldTyp::Memo:
        return QString();
    case WawiFeldTyp::Float:
        return 0.0;
    default:
        return 0;
    }
}

bool WawiInserter::add(const QVariantHash& row)
{
    QVariantList werte;
    werte.reserve(felder_.size());
    for (const WawiFeld& feld : felder_) {
        const auto it = row.constFind(feld.name);
        werte.append(it == row.constEnd() ? defaultFor(feld) : it.value());
    }
    return addZeile(werte);
}

int WawiInserter::spalte(const QString& feld) const
{
    for (qsizetype i = 0; i < felder_.size(); ++i)
        if (felder_[i].name == feld)
            return int(i);
    return -1;
}

QVariantList WawiInserter::leereZeile() const
{
    QVariantList werte;
    werte.reserve(felder_.size());
    for (const WawiFeld& feld : felder_)
        werte.append(defaultFor(feld));
    return werte;
}

bool WawiInserter::addZeile(const QVariantList& werte)
{
    if (felder_.isEmpty() || werte.size() != felder_.size()) {
        if (error_.isEmpty())
            error_ = tabelle_ + QStringLiteral(": falsche Spaltenzahl");
        return false;
    }
    for (const QVariant& value : werte) {
        // Bound as text so both drivers store a DATE column as yyyy-MM-dd.
        if (value.typeId() == QMetaType::QDate)
            pending_.append(value.toDate().isValid() ? QVariant(value.toDate().toString(Qt::ISODate))
                                                     : QVariant());
        else
            pending_.append(value);
    }
    ++pendingRows_;
    return pendingRows_ < rowsPerStatement_ || flush();
}

QString WawiInserter::statementFor(int rows) const
{
    const QChar q = dialect_ == WawiDialect::MariaDB ? QLatin1Char('`') : QLatin1Char('"');
    QStringList columns;
    for (const WawiFeld& feld : felder_)
        columns.append(q + feld.name + q);
    const QString one = QLatin1Char('(')
                        + QStringList(felder_.size(), QStringLiteral("?")).join(QLatin1Char(','))
                        + QLatin1Char(')');
    return QStringLiteral("INSERT INTO %1%2%1 (%3) VALUES %4")
        .arg(q)
        .arg(tabelle_, columns.join(QLatin1Char(',')),
             QStringList(rows, one).join(QLatin1Char(',')));
}

bool WawiInserter::flush()
{
    if (pendingRows_ == 0)
        return error_.isEmpty();
    // Full batches reuse one prepared statement; the last, shorter one gets its own.
    QSqlQuery shortQuery(db_);
    QSqlQuery* query = &fullQuery_;
    if (pendingRows_ == rowsPerStatement_) {
        if (!fullPrepared_) {
            fullPrepared_ = fullQuery_.prepare(statementFor(rowsPerStatement_));
            if (!fullPrepared_) {
                error_ = tabelle_ + QStringLiteral(": ") + fullQuery_.lastError().text();
                return false;
            }
        }
    } else {
        query = &shortQuery;
        if (!shortQuery.prepare(statementFor(pendingRows_))) {
            error_ = tabelle_ + QStringLiteral(": ") + shortQuery.lastError().text();
            return false;
        }
    }
    for (qsizetype i = 0; i < pending_.size(); ++i)
        query->bindValue(int(i), pending_[i]);
    const bool ok = query->exec();
    if (!ok)
        error_ = tabelle_ + QStringLiteral(": ") + query->lastError().text();
    else
        written_ += pendingRows_;
    pending_.clear();
    pendingRows_ = 0;
    return ok;
}

WawiInserter::Transaktion::Transaktion(QSqlDatabase& db) : db_(db), open_(db.transaction()) {}

WawiInserter::Transaktion::~Transaktion()
{
    if (open_)
        db_.rollback();
}

bool WawiInserter::Transaktion::commit()
{
    if (!open_)
        return false;
    open_ = false;
    return db_.commit();
}
