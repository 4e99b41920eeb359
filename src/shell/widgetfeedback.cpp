#include "shell/widgetfeedback.h"

#include "shell/tfehler.h"
#include "shell/twarten.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

template <typename Fenster>
Fenster* beimHauptfenster(QWidget* von)
{
    for (QWidget* w = von; w; w = w->parentWidget()) {
        if (auto* gefunden = w->findChild<Fenster*>(QString(), Qt::FindDirectChildrenOnly))
            return gefunden;
    }
    return nullptr;
}

QString zeilenumbrueche(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QMessageBox::Icon symbol(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        break;
    }
    return QMessageBox::Information;
}

}  // namespace

WidgetFeedback::WidgetFeedback(QWidget* parent) : parent_(parent)
{
    warten_ = beimHauptfenster<TWarten>(parent);
    fehler_ = beimHauptfenster<TFehler>(parent);
    if (!warten_) {
        eigenesWarten_ = std::make_unique<TWarten>();
        warten_ = eigenesWarten_.get();
    }
    if (!fehler_) {
        eigeneFehler_ = std::make_unique<TFehler>();
        fehler_ = eigeneFehler_.get();
    }
}

WidgetFeedback::~WidgetFeedback()
{
    if (gestartet_)
        warten_->close();
}

void WidgetFeedback::start(const QString& ueberschrift, const QString& listenUeberschrift)
{
    if (!listenUeberschrift.isEmpty())
        fehler_->neuerLauf(listenUeberschrift);
    zeilen_ = 0;
    warten_->setUeberschrift(ueberschrift);
    wartenZeigen();
}

void WidgetFeedback::wartenZeigen()
{
    warten_->show();
    warten_->raise();
    gestartet_ = true;
    seitVerarbeitung_.invalidate();
    ereignisseVerarbeiten();
}

void WidgetFeedback::finish()
{
    if (gestartet_)
        warten_->close();
    gestartet_ = false;
    if (zeilen_ > 0) {
        fehler_->show();
        fehler_->raise();
    }
}

void WidgetFeedback::ereignisseVerarbeiten()
{
    if (seitVerarbeitung_.isValid() && seitVerarbeitung_.elapsed() < 50)
        return;
    seitVerarbeitung_.start();
    QCoreApplication::processEvents();
}

void WidgetFeedback::setCaption(const QString& text)
{
    warten_->setWindowTitle(text);
    if (!gestartet_)
        wartenZeigen();
    ereignisseVerarbeiten();
}

void WidgetFeedback::setStatus(const QString& text)
{
    warten_->setAktion(text);
    if (!gestartet_)
        wartenZeigen();
    ereignisseVerarbeiten();
}

void WidgetFeedback::setProgress(qint64 value, qint64 maximum)
{
    warten_->setFortschritt(maximum > 0 ? int(qBound(qint64(0), value * 100 / maximum, qint64(100))) : 0);
    if (!gestartet_)
        wartenZeigen();
    ereignisseVerarbeiten();
}

bool WidgetFeedback::cancelled() const
{
    return warten_->abgebrochen();
}

void WidgetFeedback::addMessage(const QString& line)
{
    fehler_->zeileAnhaengen(line);
    ++zeilen_;
}

// While the wait window is up it stays on top, so the box belongs to it and shows above it.
QWidget* WidgetFeedback::dialogEltern() const
{
    if (warten_->isVisible())
        return warten_;
    return parent_.data();
}

void WidgetFeedback::message(const QString& text, MessageKind kind)
{
    if (kind == MessageKind::Error)
        fehlerGemeldet_ = true;
    QMessageBox box(symbol(kind), QApplication::applicationDisplayName(), zeilenumbrueche(text),
                    QMessageBox::Ok, dialogEltern());
    box.exec();
}

bool WidgetFeedback::ask(const QString& question, bool defaultAnswer)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(),
                    zeilenumbrueche(question), QMessageBox::NoButton, dialogEltern());
    QPushButton* ja = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* nein = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(defaultAnswer ? ja : nein);
    box.setEscapeButton(nein);
    box.exec();
    return box.clickedButton() == ja;
}
