#pragma once
// Feedback of the windowed program: status and progress in the wait window TWarten (repainted
// while the run goes on, its "&Abbrechen" is cancelled()), message-list lines in TFehler,
// messages and Ja/Nein questions in message boxes.
//
// A dialog makes one per run, with itself (or any widget of the main window) as parent; it then
// uses the main window's wait window and message list. Without a main window above the parent
// (a dialog on its own, tests) it makes its own pair. Call sequence:
//     WidgetFeedback feedback(this);
//     feedback.start(QStringLiteral("Daten importieren ...."), QStringLiteral("Daten-Import:"));
//     engine.run(..., feedback);
//     feedback.finish();   // closes the wait window, shows the message list if lines came in
// An engine that reports progress before start() shows the wait window itself. The destructor
// closes the wait window when finish() was not reached.

#include "store/feedback.h"

#include <QElapsedTimer>
#include <QPointer>

#include <memory>

class QWidget;
class TFehler;
class TWarten;

class WidgetFeedback : public Feedback {
public:
    explicit WidgetFeedback(QWidget* parent);
    ~WidgetFeedback() override;
    WidgetFeedback(const WidgetFeedback&) = delete;
    WidgetFeedback& operator=(const WidgetFeedback&) = delete;

    // Shows the wait window with the headline. With a list headline the message list starts
    // anew with it, so a second run shows only its own problems.
    void start(const QString& ueberschrift, const QString& listenUeberschrift = {});
    // Closes the wait window; shows the message list when lines were added since start().
    void finish();

    void setCaption(const QString& text) override;
    void setStatus(const QString& text) override;
    void setProgress(qint64 value, qint64 maximum) override;
    bool cancelled() const override;
    void addMessage(const QString& line) override;
    void message(const QString& text, MessageKind kind = MessageKind::Information) override;
    bool ask(const QString& question, bool defaultAnswer) override;

    TWarten& warten() const { return *warten_; }
    TFehler& fehler() const { return *fehler_; }
    int zeilenSeitStart() const { return zeilen_; }
    bool fehlerAufgetreten() const { return fehlerGemeldet_; }

private:
    // Repaints the wait window and lets its cancel button be pressed; at most every 50 ms.
    void ereignisseVerarbeiten();
    void wartenZeigen();
    QWidget* dialogEltern() const;

    QPointer<QWidget> parent_;
    std::unique_ptr<TWarten> eigenesWarten_;
    std::unique_ptr<TFehler> eigeneFehler_;
    TWarten* warten_ = nullptr;
    TFehler* fehler_ = nullptr;
    bool gestartet_ = false;
    bool fehlerGemeldet_ = false;
    int zeilen_ = 0;
    QElapsedTimer seitVerarbeitung_;
};
