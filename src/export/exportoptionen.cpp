#include "export/exportoptionen.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

QString exportBenutzername()
{
    for (const char* name : {"USER", "USERNAME", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(name).trimmed();
        if (!value.isEmpty())
            return value.left(255);
    }
#ifdef Q_OS_UNIX
    // A scheduled task often runs without these variables; the account itself has the name.
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name)
        return QString::fromLocal8Bit(pw->pw_name).left(255);
#endif
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
