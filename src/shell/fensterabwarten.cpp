#include "shell/fensterabwarten.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace {

class VerbergenBeobachter : public QObject {
public:
    explicit VerbergenBeobachter(QEventLoop& schleife) : schleife_(schleife) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            schleife_.quit();
        return QObject::eventFilter(objekt, event);
    }

private:
    QEventLoop& schleife_;
};

}  // namespace

void FensterAbwarten(QWidget* fenster)
{
    if (!fenster || !fenster->isVisible())
        return;
    QEventLoop schleife;
    VerbergenBeobachter beobachter(schleife);
    QPointer<QWidget> wache(fenster);
    fenster->installEventFilter(&beobachter);
    QObject::connect(fenster, &QObject::destroyed, &schleife, &QEventLoop::quit);
    schleife.exec();
    if (wache)
        wache->removeEventFilter(&beobachter);
}
