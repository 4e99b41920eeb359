#pragma once
// All bookings of one document as one unit in the local journal: begun on construction, rolled
// back on destruction unless commit() was called. The document posting commits only after the
// document row was written back to the merchandise-management database, so a document that fails
// part-way leaves no bookings behind.

#include <QSqlDatabase>

namespace fibuimport {

class JournalTransaktion {
public:
    explicit JournalTransaktion(QSqlDatabase db);  // throws std::runtime_error
    ~JournalTransaktion();
    JournalTransaktion(const JournalTransaktion&) = delete;
    JournalTransaktion& operator=(const JournalTransaktion&) = delete;

    void commit();  // throws std::runtime_error

private:
    QSqlDatabase db_;
    bool offen_ = false;
};

}  // namespace fibuimport
