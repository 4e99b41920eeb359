#include "shell/tfm_buchungboxen.h"

#include "shell/tfm_buchunglogic.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

QString shown(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

void TFM_BuchungBoxen::message(const QString& text, MessageKind kind)
{
    const QString title = QStringLiteral("Fibu Schnittstelle");
    switch (kind) {
    case MessageKind::Information:
        QMessageBox::information(parent_, title, shown(text));
        break;
    case MessageKind::Warning:
        QMessageBox::warning(parent_, title, shown(text));
        break;
    case MessageKind::Error:
        QMessageBox::critical(parent_, title, shown(text));
        break;
    }
}

bool TFM_BuchungBoxen::ask(const QString& question, bool defaultAnswer)
{
    const bool okCancel = question == TFM_BuchungLogic::FrageVorgang
        || question == TFM_BuchungLogic::FrageExportLoeschen;
    QMessageBox box(okCancel && question == TFM_BuchungLogic::FrageExportLoeschen ? QMessageBox::Question
                                                                                  : QMessageBox::Warning,
                    QStringLiteral("Fibu Schnittstelle"), shown(question), QMessageBox::NoButton, parent_);
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    if (okCancel) {
        yes = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        no = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    } else {
        yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    }
    box.setDefaultButton(defaultAnswer ? yes : no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}
