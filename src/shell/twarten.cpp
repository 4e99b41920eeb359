#include "shell/twarten.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TWarten::TWarten(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint
                          | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ueberschrift_(new QLabel(this)),
      aktion_(new QLabel(this)),
      fortschritt_(new QProgressBar(this)),
      animation_(new QLabel(this)),
      animationTakt_(new QTimer(this)),
      abbrechenKnopf_(new QPushButton(QStringLiteral("&Abbrechen"), this))
{
    setWindowTitle(QStringLiteral("bitte warten ...."));
    setObjectName(QStringLiteral("Warten"));
    QFont fett = ueberschrift_->font();
    fett.setBold(true);
    ueberschrift_->setFont(fett);
    fortschritt_->setRange(0, 100);
    animation_->setAlignment(Qt::AlignCenter);
    animation_->setMinimumWidth(240);
    animation_->hide();
    animationTakt_->setInterval(150);
    connect(animationTakt_, &QTimer::timeout, this, &TWarten::animationWeiter);
    connect(abbrechenKnopf_, &QPushButton::clicked, this, &TWarten::abbrechen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ueberschrift_);
    layout->addWidget(animation_);
    layout->addWidget(aktion_);
    layout->addWidget(fortschritt_);
    layout->addWidget(abbrechenKnopf_, 0, Qt::AlignHCenter);
    setMinimumWidth(360);
}

void TWarten::setUeberschrift(const QString& text) { ueberschrift_->setText(text); }
QString TWarten::ueberschrift() const { return ueberschrift_->text(); }
void TWarten::setAktion(const QString& text) { aktion_->setText(text); }
QString TWarten::aktion() const { return aktion_->text(); }
void TWarten::setFortschritt(int prozent) { fortschritt_->setValue(qBound(0, prozent, 100)); }
int TWarten::fortschritt() const { return fortschritt_->value(); }
void TWarten::setAbbrechenSichtbar(bool sichtbar) { abbrechenKnopf_->setVisible(sichtbar); }
bool TWarten::animationSichtbar() const { return !animation_->isHidden(); }

void TWarten::animationZeigen(Animation art)
{
    animationArt_ = art;
    animationSchritt_ = 0;
    animationWeiter();
    animation_->show();
    animationTakt_->start();
}

void TWarten::animationVerbergen()
{
    animationTakt_->stop();
    animation_->hide();
}

// A sheet travelling from folder to folder, or from the folder into the bin.
void TWarten::animationWeiter()
{
    constexpr int breite = 12;
    const int stelle = animationSchritt_++ % breite;
    QString bahn(breite, QLatin1Char(' '));
    bahn[stelle] = QChar(0x25A1);  // the sheet
    const QString ziel = animationArt_ == Animation::Kopieren ? QStringLiteral("[Ordner]")
                                                              : QStringLiteral("[Papierkorb]");
    animation_->setText(QStringLiteral("[Ordner] ") + bahn + QLatin1Char(' ') + ziel);
}

void TWarten::showEvent(QShowEvent* event)
{
    abgebrochen_ = false;
    setFortschritt(0);
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        move(bildschirm->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

void TWarten::closeEvent(QCloseEvent* event)
{
    animationVerbergen();
    abbrechen();
    QWidget::closeEvent(event);
}
