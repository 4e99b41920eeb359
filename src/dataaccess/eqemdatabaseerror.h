#pragma once
// The one error type of the data access layer: a failed statement, a failed open, an unknown
// field, a dataset operation in the wrong state. message() is the German text (or the server's
// own message) to show or to write into the message list; passwords never appear in it.
// EAbort is the silent cancel of an operation (a before-delete rule that says no).

#include <QString>

#include <stdexcept>

class EQemDatabaseError : public std::runtime_error {
public:
    explicit EQemDatabaseError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

class EAbort : public std::runtime_error {
public:
    EAbort() : std::runtime_error("Operation abgebrochen") {}
};
