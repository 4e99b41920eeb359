#pragma once
// Feedback that keeps what an engine reported, for the assertions of the store tests.

#include "store/feedback.h"

#include <QStringList>
#include <functional>

class RecordingFeedback : public Feedback {
public:
    void setCaption(const QString& text) override { captions.append(text); }
    void setStatus(const QString& text) override
    {
        statuses.append(text);
        if (onStatus)
            onStatus(text);
    }
    void addMessage(const QString& line) override { lines.append(line); }
    void message(const QString& text, MessageKind kind) override
    {
        (void)kind;
        messages.append(text);
    }

    QStringList captions;
    QStringList statuses;
    QStringList lines;
    QStringList messages;
    std::function<void(const QString&)> onStatus;
};
