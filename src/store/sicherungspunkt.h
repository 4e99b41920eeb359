#pragma once
// An all-or-nothing unit on an SQLite connection: a named SAVEPOINT that is rolled back unless
// commit() succeeded. Nests inside an open transaction or another savepoint.
//
// Use: Sicherungspunkt sp(db, "konvert"); ... if (!sp.commit()) error; (leaving the scope
// without commit rolls back).

#include <QSqlDatabase>
#include <QString>

class Sicherungspunkt {
public:
    Sicherungspunkt(const QSqlDatabase& db, const QString& name);
    ~Sicherungspunkt();
    Sicherungspunkt(const Sicherungspunkt&) = delete;
    Sicherungspunkt& operator=(const Sicherungspunkt&) = delete;

    bool aktiv() const { return aktiv_; }
    QString fehler() const { return fehler_; }
    bool commit();

private:
    QSqlDatabase db_;
    QString name_;
    QString fehler_;
    bool aktiv_ = false;
};
