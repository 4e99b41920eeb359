#include "shell/areaentries.h"

#include "store/feedback.h"

#include <QString>

namespace shell {

bool unattendedExport(TQemConnection&, Feedback& feedback)
{
    feedback.message(QStringLiteral("Der Export ist noch nicht verfügbar."), MessageKind::Error);
    return false;
}

void showExportDialog(QWidget*, TQemConnection&, int) {}

}  // namespace shell
