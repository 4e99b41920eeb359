#include "shell/tfehler.h"

#include <QAction>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

TFehler::TFehler(QWidget* parent)
    : QWidget(parent, Qt::Dialog),
      error_(new QPlainTextEdit(this)),
      drucken_(new QAction(QStringLiteral("Drucken"), this))
{
    setWindowTitle(QStringLiteral("Hinweisfenster"));
    setObjectName(QStringLiteral("Fehler"));
    error_->setObjectName(QStringLiteral("Error"));
    error_->setReadOnly(true);
    error_->setLineWrapMode(QPlainTextEdit::NoWrap);
    error_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    error_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    error_->setPlainText(QStringLiteral("Fehlerliste:"));

    drucken_->setToolTip(QStringLiteral("Ausdruck des Fehlerberichts"));
    drucken_->setStatusTip(drucken_->toolTip());
    connect(drucken_, &QAction::triggered, this, &TFehler::druckenMitDialog);
    auto* werkzeuge = new QToolBar(this);
    werkzeuge->addAction(drucken_);

    auto* gruppe = new QGroupBox(QStringLiteral("Liste der aufgetretenen Fehler"), this);
    auto* gruppenLayout = new QVBoxLayout(gruppe);
    gruppenLayout->addWidget(error_);

    auto* schliessen = new QPushButton(QStringLiteral("&Schließen"), this);
    connect(schliessen, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(werkzeuge);
    layout->addWidget(gruppe, 1);
    layout->addWidget(schliessen, 0, Qt::AlignRight);
    resize(560, 400);
}

void TFehler::showEvent(QShowEvent* event)
{
    if (const QScreen* bildschirm = QGuiApplication::primaryScreen())
        move(bildschirm->availableGeometry().center() - rect().center());
    QWidget::showEvent(event);
}

void TFehler::neuerLauf(const QString& ueberschrift)
{
    error_->clear();
    zeileAnhaengen(ueberschrift);
    zeileAnhaengen(QStringLiteral("=============="));
}

void TFehler::zeileAnhaengen(const QString& zeile)
{
    error_->appendPlainText(zeile);
}

QStringList TFehler::zeilen() const
{
    return error_->toPlainText().split(QLatin1Char('\n'));
}

QStringList TFehler::druckzeilen() const
{
    QStringList ergebnis;
    for (const QString& zeile : zeilen())
        ergebnis << QStringLiteral("     ") + zeile;
    return ergebnis;
}

void TFehler::drucken(QPrinter& drucker) const
{
    QPainter maler;
    if (!maler.begin(&drucker))
        return;
    maler.setFont(error_->font());
    const QFontMetrics masse(maler.font(), &drucker);
    const int seitenhoehe = drucker.pageLayout().paintRectPixels(drucker.resolution()).height();
    int y = masse.ascent();
    for (const QString& zeile : druckzeilen()) {
        if (y + masse.descent() > seitenhoehe) {
            drucker.newPage();
            y = masse.ascent();
        }
        maler.drawText(0, y, zeile);
        y += masse.lineSpacing();
    }
    maler.end();
}

void TFehler::druckenMitDialog()
{
    QPrinter drucker;
    QPrintDialog dialog(&drucker, this);
    if (dialog.exec() == QDialog::Accepted)
        drucken(drucker);
}
