// build/bin/fibu: the windowed program, or with -IN, -AUS, -INAUS the unattended run, which
// needs no display and no window system at all.

#include "shell/kommandozeile.h"
#include "shell/konsolenfeedback.h"
#include "shell/tfm_haupt.h"
#include "shell/unbeaufsichtigterstart.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

namespace {

QStringList parameterVon(int argc, char** argv)
{
    QStringList parameter;
    for (int i = 1; i < argc; ++i)
        parameter << QString::fromLocal8Bit(argv[i]);
    return parameter;
}

// Whether a window can be shown: a display, or a platform chosen explicitly (offscreen).
bool anzeigeVorhanden()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
}

void programmBenennen()
{
    QCoreApplication::setApplicationName(QStringLiteral("fibu"));
    QCoreApplication::setApplicationVersion(Programmversion());
}

int unbeaufsichtigt(int argc, char** argv, const Kommandozeile& kommandozeile)
{
    QCoreApplication app(argc, argv);
    programmBenennen();
    KonsolenFeedback feedback;
    return unbeaufsichtigtStarten(kommandozeile, feedback);
}

int mitFenster(int argc, char** argv)
{
    QApplication app(argc, argv);
    programmBenennen();
    QApplication::setApplicationDisplayName(QStringLiteral("Fibu Schnittstelle"));
    // Qt has taken its own options (-platform, -style ...) out of the arguments by now.
    TFM_Haupt::Optionen optionen;
    optionen.kommandozeile = Kommandozeile::auswerten(QCoreApplication::arguments().mid(1));
    TFM_Haupt haupt(std::move(optionen));
    haupt.show();
    const int status = app.exec();
    return status != 0 ? status : haupt.ergebnis();
}

}  // namespace

int main(int argc, char** argv)
{
    const Kommandozeile kommandozeile = Kommandozeile::auswerten(parameterVon(argc, argv));
    if (kommandozeile.unbeaufsichtigt())
        return unbeaufsichtigt(argc, argv, kommandozeile);
    if (!anzeigeVorhanden()) {
        std::fputs("Fehler: Kein Bildschirm vorhanden (DISPLAY ist nicht gesetzt).\n"
                   "Ohne Bildschirm läuft das Programm nur unbeaufsichtigt: fibu [Konfiguration] "
                   "-IN | -AUS | -INAUS\n",
                   stderr);
        return 2;
    }
    return mitFenster(argc, argv);
}
