#include "shell/konsolenfeedback.h"

#include <QFile>
#include <QIODevice>

#include <cstdio>

namespace {

// Messages keep the carriage returns of the message boxes; the console wants line feeds.
QString zeilenumbrueche(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString vorsatz(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return QStringLiteral("Fehler: ");
    case MessageKind::Warning:
        return QStringLiteral("Warnung: ");
    case MessageKind::Information:
        break;
    }
    return {};
}

}  // namespace

KonsolenFeedback::KonsolenFeedback(QIODevice* ausgabe) : ausgabe_(ausgabe)
{
    if (!ausgabe_) {
        auto* fehlerkanal = new QFile;
        fehlerkanal->open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
        ausgabe_ = fehlerkanal;
        eigeneAusgabe_ = true;
    }
}

KonsolenFeedback::~KonsolenFeedback()
{
    if (eigeneAusgabe_)
        delete ausgabe_;
}

void KonsolenFeedback::schreiben(const QString& text)
{
    ausgabe_->write(zeilenumbrueche(text).toUtf8() + '\n');
}

void KonsolenFeedback::setCaption(const QString& text)
{
    // The wait window's resting caption says nothing on the console.
    if (text == titel_ || text == QLatin1String("bitte warten ...."))
        return;
    titel_ = text;
    schreiben(text);
}

void KonsolenFeedback::setStatus(const QString& text)
{
    if (text == status_ || (seitStatus_.isValid() && seitStatus_.elapsed() < 1000)) {
        status_ = text;
        return;
    }
    status_ = text;
    seitStatus_.start();
    schreiben(prozent_ >= 0 ? QStringLiteral("%1 (%2 %)").arg(text).arg(prozent_) : text);
}

void KonsolenFeedback::setProgress(qint64 value, qint64 maximum)
{
    prozent_ = maximum > 0 ? int(qBound(qint64(0), value * 100 / maximum, qint64(100))) : -1;
}

void KonsolenFeedback::addMessage(const QString& line)
{
    schreiben(line);
}

void KonsolenFeedback::message(const QString& text, MessageKind kind)
{
    if (kind == MessageKind::Error)
        fehler_ = true;
    schreiben(vorsatz(kind) + text);
}

bool KonsolenFeedback::ask(const QString& question, bool defaultAnswer)
{
    schreiben(question + (defaultAnswer ? QStringLiteral(" -> Ja (ohne Rückfrage)")
                                        : QStringLiteral(" -> Nein (ohne Rückfrage)")));
    return defaultAnswer;
}
