#pragma once
// What an engine (structure check, import, export) tells the one who runs it, and asks of him.
//
// The wait window and message list of the windowed program, the unattended start and the
// tests each implement it; engines never show widgets themselves. Call sequence of a long run:
// setStatus / setProgress once per row or document, cancelled() polled once per row or document,
// addMessage() for each line of the message list, message() for what would be a message box,
// ask() for a Ja/Nein question (the unattended start answers with the default).

#include <QString>

enum class MessageKind { Information, Warning, Error };

class Feedback {
public:
    virtual ~Feedback() = default;

    // Caption of the wait window (the structure check shows the table it works on).
    virtual void setCaption(const QString& text) { (void)text; }
    virtual void setStatus(const QString& text) { (void)text; }
    // value of maximum; maximum 0 means "unknown length".
    virtual void setProgress(qint64 value, qint64 maximum) { (void)value; (void)maximum; }
    virtual bool cancelled() const { return false; }
    // One line of the message list shown after the run.
    virtual void addMessage(const QString& line) { (void)line; }
    // A message box of the windowed program. The system's own texts use "\r" as line break.
    virtual void message(const QString& text, MessageKind kind = MessageKind::Information)
    {
        (void)text; (void)kind;
    }
    // A Ja/Nein question; returns the answer.
    virtual bool ask(const QString& question, bool defaultAnswer)
    {
        (void)question;
        return defaultAnswer;
    }
};

// Does nothing, asks nothing: the default for callers that pass no feedback.
Feedback& silentFeedback();
