#pragma once
// Plays the user who reads and closes what a run puts on the screen: every 50 ms it notes and
// closes open message boxes and the message list window, so a test of a modal dialog never
// waits for a click.

#include "shell/tfehler.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

class Wegklicker : public QObject {
public:
    Wegklicker()
    {
        connect(&takt_, &QTimer::timeout, this, &Wegklicker::umsehen);
        takt_.start(50);
    }

    QStringList meldungen;   // texts of the message boxes closed
    QStringList listenzeilen;  // lines of the message list when it was closed
    int listeGezeigt = 0;

private:
    void umsehen()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible())
                continue;
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                meldungen << box->text();
                box->done(QMessageBox::Ok);
            } else if (auto* liste = qobject_cast<TFehler*>(w)) {
                listenzeilen = liste->zeilen();
                ++listeGezeigt;
                liste->close();
            }
        }
    }

    QTimer takt_;
};
