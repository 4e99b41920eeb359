#include "export/exportoptionen.h"

#include <QtGlobal>

QString exportBenutzername()
{
    for (const char* name : {"USER", "USERNAME", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(name).trimmed();
        if (!value.isEmpty())
            return value.left(255);
    }
    return QString();
}

void exportMelden(const ExportOptionen& optionen, Feedback& feedback, const QString& text, MessageKind kind)
{
    if (optionen.unbeaufsichtigt)
        feedback.addMessage(text);
    else
        feedback.message(text, kind);
}

void exportImmerMelden(Feedback& feedback, const QString& text, MessageKind kind)
{
    feedback.message(text, kind);
}
