#include "export/statuszeilen.h"

#include "store/feedback.h"

StatusZeilen::StatusZeilen(Feedback& feedback) : feedback_(feedback)
{
    takt_.start();
}

void StatusZeilen::setzen(int line, const QString& text)
{
    if (line >= 1 && line <= 3)
        lines_[line - 1] = text;
    zeigen();
}

void StatusZeilen::setzen(const QString& l1, const QString& l2, const QString& l3)
{
    lines_[0] = l1;
    lines_[1] = l2;
    lines_[2] = l3;
    zeigen();
}

void StatusZeilen::laufend(const QString& l3)
{
    if (takt_.elapsed() < 100)
        return;
    lines_[2] = l3;
    zeigen();
}

void StatusZeilen::fortschritt(int percent)
{
    feedback_.setProgress(percent, 100);
}

void StatusZeilen::zeigen()
{
    feedback_.setStatus(lines_[0] + QLatin1Char('\n') + lines_[1] + QLatin1Char('\n') + lines_[2]);
    takt_.restart();
}
