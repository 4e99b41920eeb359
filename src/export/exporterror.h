#pragma once
// Failure of an export step (file, journal, merchandise-management lookup); carries the German
// text that ends up behind "Während des Exports ist ein Fehler aufgetreten!".

#include <QString>

#include <exception>
#include <stdexcept>

class ExportError : public std::runtime_error {
public:
    explicit ExportError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

// The text of any exception that reaches an export run's error report.
inline QString exportErrorText(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const ExportError*>(&error))
        return own->message();
    return QString::fromUtf8(error.what());
}
