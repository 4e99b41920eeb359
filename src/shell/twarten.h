#pragma once
// The wait window "bitte warten ....": headline, action text, progress 0..100, a small animation
// for copying and deleting, and the button "&Abbrechen".
//
// One instance for the whole program run (the main window owns it); long runs show it, set the
// texts and the progress, and poll abgebrochen() once per row. Showing clears the cancel flag and
// resets the progress to 0; the button and closing the window set it. The texts stay from one
// use to the next. Runs normally reach it through WidgetFeedback, not directly.

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

class TWarten : public QWidget {
    Q_OBJECT
public:
    enum class Animation { Kopieren, Loeschen };

    explicit TWarten(QWidget* parent = nullptr);

    void setUeberschrift(const QString& text);
    QString ueberschrift() const;
    void setAktion(const QString& text);
    QString aktion() const;
    // Percent, clamped to 0..100.
    void setFortschritt(int prozent);
    int fortschritt() const;
    // Shows the animation of the given kind and starts it.
    void animationZeigen(Animation art);
    void animationVerbergen();
    bool animationSichtbar() const;
    void setAbbrechenSichtbar(bool sichtbar);

    bool abgebrochen() const { return abgebrochen_; }
    void abbrechen() { abgebrochen_ = true; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void animationWeiter();

    QLabel* ueberschrift_;
    QLabel* aktion_;
    QProgressBar* fortschritt_;
    QLabel* animation_;
    QTimer* animationTakt_;
    QPushButton* abbrechenKnopf_;
    Animation animationArt_ = Animation::Kopieren;
    int animationSchritt_ = 0;
    bool abgebrochen_ = false;
};
