#include "store/sicherungspunkt.h"

#include <QSqlError>
#include <QSqlQuery>

Sicherungspunkt::Sicherungspunkt(const QSqlDatabase& db, const QString& name)
    : db_(db), name_(name)
{
    QSqlQuery q(db_);
    aktiv_ = q.exec(QStringLiteral("SAVEPOINT \"%1\"").arg(name_));
    if (!aktiv_)
        fehler_ = q.lastError().text();
}

Sicherungspunkt::~Sicherungspunkt()
{
    if (!aktiv_)
        return;
    QSqlQuery q(db_);
    q.exec(QStringLiteral("ROLLBACK TO \"%1\"").arg(name_));
    q.exec(QStringLiteral("RELEASE \"%1\"").arg(name_));
}

bool Sicherungspunkt::commit()
{
    if (!aktiv_)
        return false;
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("RELEASE \"%1\"").arg(name_))) {
        fehler_ = q.lastError().text();
        return false;
    }
    aktiv_ = false;
    return true;
}
