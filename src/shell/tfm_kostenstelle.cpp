#include "shell/tfm_kostenstelle.h"

#include "store/einstellungen.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFM_Kostenstelle::TFM_Kostenstelle(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FM_Kostenstelle"));
    setWindowTitle(QStringLiteral("DateV Kostenstellen hinterlegen"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Kostenstellen"), this);
    auto* form = new QFormLayout(group);
    edit1_ = new QLineEdit(group);
    edit2_ = new QLineEdit(group);
    form->addRow(QStringLiteral("1. Kostenstelle:"), edit1_);
    form->addRow(QStringLiteral("2. Kostenstelle:"), edit2_);
    layout->addWidget(group);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &TFM_Kostenstelle::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FormShow();
}

void TFM_Kostenstelle::FormShow()
{
    edit1_->setText(einstellungen().DateV_Kostenstelle1);
    edit2_->setText(einstellungen().DateV_Kostenstelle2);
}

void TFM_Kostenstelle::BitBtn1Click()
{
    einstellungen().DateV_Kostenstelle1 = edit1_->text();
    einstellungen().DateV_Kostenstelle2 = edit2_->text();
    accept();
}
