#include "shell/areaentries.h"

#include "store/feedback.h"

#include <QString>

// Until the product and client selection exists, no merchandise-management database is reachable.
namespace shell {

bool startWaWi(TQemConnection&, Feedback& feedback)
{
    feedback.message(QStringLiteral("Keine Verbindung zur Warenwirtschaft!\r"
                                    "Es ist keine Warenwirtschaft eingerichtet."),
                     MessageKind::Error);
    return false;
}

void showWaWiDialog(QWidget*, TQemConnection&) {}

}  // namespace shell
