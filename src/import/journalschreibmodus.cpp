#include "import/journalschreibmodus.h"

#include <QSqlDriver>
#include <QSqlQuery>
#include <QVariant>

namespace fibuimport {

JournalSchreibmodus::JournalSchreibmodus(QSqlDatabase journal)
    : journal_(std::move(journal))
{
    if (!journal_.isOpen() || journal_.driverName() != QLatin1String("QSQLITE"))
        return;
    alterModus_ = pragma(QStringLiteral("PRAGMA journal_mode"));
    alteSynchronisation_ = pragma(QStringLiteral("PRAGMA synchronous"));
    if (pragma(QStringLiteral("PRAGMA journal_mode=WAL")).compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0)
        pragma(QStringLiteral("PRAGMA synchronous=NORMAL"));
}

JournalSchreibmodus::~JournalSchreibmodus()
{
    if (alterModus_.isEmpty())
        return;
    if (!alteSynchronisation_.isEmpty())
        pragma(QStringLiteral("PRAGMA synchronous=") + alteSynchronisation_);
    if (alterModus_.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        pragma(QStringLiteral("PRAGMA journal_mode=") + alterModus_);
}

QString JournalSchreibmodus::pragma(const QString& text)
{
    QSqlQuery q(journal_);
    if (!q.exec(text) || !q.next())
        return {};
    return q.value(0).toString();
}

}  // namespace fibuimport
