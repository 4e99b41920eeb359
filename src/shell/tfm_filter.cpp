#include "shell/tfm_filter.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFM_Filter::TFM_Filter(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FM_Filter"));
    setWindowTitle(QStringLiteral("Datenfilter festlegen"));
    resize(460, 260);
    auto* layout = new QVBoxLayout(this);
    edit_ = new QPlainTextEdit(this);
    layout->addWidget(edit_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFM_Filter::setText(const QString& expression)
{
    edit_->setPlainText(expression);
}

QString TFM_Filter::text() const
{
    return edit_->toPlainText();
}

QString TFM_Filter::Bearbeiten(QWidget* parent, const QString& expression)
{
    TFM_Filter dialog(parent);
    dialog.setText(expression);
    return dialog.exec() == QDialog::Accepted ? dialog.text() : expression;
}
