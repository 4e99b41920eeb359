#pragma once
// Feedback that answers questions from a script and records what was asked and shown.

#include "store/feedback.h"

#include <QList>
#include <QStringList>

class ScriptedFeedback : public Feedback {
public:
    explicit ScriptedFeedback(QList<bool> answers = {}) : answers_(std::move(answers)) {}

    bool ask(const QString& question, bool) override
    {
        questions.append(question);
        return answers_.isEmpty() ? false : answers_.takeFirst();
    }
    void message(const QString& text, MessageKind) override { messages.append(text); }

    QStringList questions;
    QStringList messages;

private:
    QList<bool> answers_;
};
