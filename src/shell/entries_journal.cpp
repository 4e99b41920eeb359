#include "shell/areaentries.h"

#include <QLabel>

namespace shell {

QWidget* createJournalView(QWidget* parent, TQemConnection&)
{
    return new QLabel(parent);
}

void refreshJournalView(QWidget*) {}
void exportJournalToExcel(QWidget*) {}
void exportJournalToWord(QWidget*) {}
void showKostenstelleDialog(QWidget*) {}
void showWaWiQuery(QWidget*, TQemConnection&, QWidget*) {}
void showLocalQuery(QWidget*) {}
void showHelp(QWidget*) {}

}  // namespace shell
