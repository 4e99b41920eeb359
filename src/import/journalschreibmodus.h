#pragma once
// The write mode of the local journal for the length of an import run: write-ahead log with
// normal synchronisation, so that the commit of each document's bookings does not wait for the
// disk, while every committed document survives a crash of the program and the file stays
// consistent after a power loss. Restores the previous journal mode and synchronisation on
// destruction; going back to the rollback journal writes the log into the file and syncs it.
//
// Only for SQLite connections; a connection that cannot switch (a statement still open on it)
// keeps its mode, which is slower but just as correct.

#include <QSqlDatabase>
#include <QString>

namespace fibuimport {

class JournalSchreibmodus {
public:
    explicit JournalSchreibmodus(QSqlDatabase journal);
    ~JournalSchreibmodus();
    JournalSchreibmodus(const JournalSchreibmodus&) = delete;
    JournalSchreibmodus& operator=(const JournalSchreibmodus&) = delete;

private:
    QString pragma(const QString& text);

    QSqlDatabase journal_;
    QString alterModus_;
    QString alteSynchronisation_;
};

}  // namespace fibuimport
