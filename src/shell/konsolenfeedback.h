#pragma once
// Feedback of the unattended run: every message and message-list line goes to standard error
// (or the given device), questions are answered with their default without asking, the status
// is printed at most once a second, and fehlerAufgetreten() tells afterwards whether an error
// was reported. Nothing here may block: the run has no display and no one to answer.

#include "store/feedback.h"

#include <QElapsedTimer>

class QIODevice;

class KonsolenFeedback : public Feedback {
public:
    // ausgabe: an open, writable device the caller keeps alive; null means standard error.
    explicit KonsolenFeedback(QIODevice* ausgabe = nullptr);
    ~KonsolenFeedback() override;
    KonsolenFeedback(const KonsolenFeedback&) = delete;
    KonsolenFeedback& operator=(const KonsolenFeedback&) = delete;

    // The table or step a long run works on; printed when it changes.
    void setCaption(const QString& text) override;
    void setStatus(const QString& text) override;
    void setProgress(qint64 value, qint64 maximum) override;
    void addMessage(const QString& line) override;
    void message(const QString& text, MessageKind kind = MessageKind::Information) override;
    bool ask(const QString& question, bool defaultAnswer) override;

    bool fehlerAufgetreten() const { return fehler_; }

private:
    void schreiben(const QString& text);

    QIODevice* ausgabe_;
    bool eigeneAusgabe_ = false;
    bool fehler_ = false;
    QString status_;
    QString titel_;
    int prozent_ = -1;
    QElapsedTimer seitStatus_;
};
