#pragma once
// The three status lines of the export's progress group (LB_Action1..3), reported through
// Feedback::setStatus as one text with the lines joined by "\n"; the dialog splits them again.
// setStatus lets the window repaint, so per-booking updates are thinned out to a few per second.

#include <QElapsedTimer>
#include <QString>

class Feedback;

class StatusZeilen {
public:
    explicit StatusZeilen(Feedback& feedback);

    // line 1..3; the change is shown at once.
    void setzen(int line, const QString& text);
    void setzen(const QString& l1, const QString& l2, const QString& l3);
    // Line 3 during a loop: shown at most every 100 ms.
    void laufend(const QString& l3);
    void fortschritt(int percent);

    Feedback& feedback() { return feedback_; }

private:
    void zeigen();
    Feedback& feedback_;
    QString lines_[3] = {QStringLiteral("..."), QStringLiteral("..."), QStringLiteral("...")};
    QElapsedTimer takt_;
};
