#include "shell/areaentries.h"

#include "store/feedback.h"

#include <QString>

namespace shell {

bool unattendedImport(TQemConnection&, Feedback& feedback)
{
    feedback.message(QStringLiteral("Der Import ist noch nicht verfügbar."), MessageKind::Error);
    return false;
}

void showImportDialog(QWidget*, TQemConnection&, int) {}
void showCashBookImport(QWidget*, TQemConnection&) {}
void showMwStEinDialog(QWidget*) {}
void showTranslatorDialog(QWidget*, TQemConnection&) {}

}  // namespace shell
