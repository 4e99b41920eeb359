#include "shell/areaentries.h"

#include "grid/sqlpagemodel.h"
#include "shell/officeexport.h"
#include "shell/officetable.h"
#include "shell/tfm_buchung.h"
#include "shell/tfm_buchungwawi.h"
#include "shell/tfm_bdesql.h"
#include "shell/tfm_kostenstelle.h"
#include "shell/tfm_sql.h"
#include "store/einstellungen.h"
#include "store/lokaledatenbank.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace shell {

namespace {

QString helpIndex()
{
    QString dir = einstellungen().ProgrammPfad;
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    return QDir(dir).filePath(QStringLiteral("help/index.html"));
}

TFM_Buchung* journalOf(QWidget* journalView)
{
    return qobject_cast<TFM_Buchung*>(journalView);
}

}  // namespace

QWidget* createJournalView(QWidget* parent, TQemConnection& connection)
{
    auto* view = new TFM_Buchung(LokaleDatenbank(), parent);
    view->setWaWi(std::make_unique<TFM_BuchungWaWi>(connection));
    if (LokaleDatenbank().isOpen())
        view->Action_Open();
    return view;
}

void refreshJournalView(QWidget* journalView)
{
    if (TFM_Buchung* view = journalOf(journalView)) {
        if (view->journalModel()->statement().isEmpty())
            view->Action_Open();
        else
            view->refresh();
    }
}

void exportJournalToExcel(QWidget* journalView)
{
    if (TFM_Buchung* view = journalOf(journalView)) {
        OfficeExport office(view->feedback());
        office.GridNachExcel(*view->officeTable(), QStringLiteral("Primanota"));
    }
}

void exportJournalToWord(QWidget* journalView)
{
    if (TFM_Buchung* view = journalOf(journalView)) {
        OfficeExport office(view->feedback());
        office.GridNachWord(*view->officeTable());
    }
}

void showKostenstelleDialog(QWidget* parent)
{
    TFM_Kostenstelle dialog(parent);
    dialog.exec();
}

void showWaWiQuery(QWidget* parent, TQemConnection& connection, QWidget* journalView)
{
    auto* window = new TFM_SQL(connection, journalOf(journalView), parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void showLocalQuery(QWidget* parent)
{
    auto* window = new TFM_BDESQL(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void showHelp(QWidget* parent)
{
    auto* window = new QWidget(parent, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Hilfe - Fibu Schnittstelle"));
    window->resize(760, 600);
    auto* layout = new QVBoxLayout(window);
    auto* browser = new QTextBrowser(window);
    browser->setOpenExternalLinks(true);
    const QString index = helpIndex();
    if (QFileInfo::exists(index)) {
        browser->setSearchPaths({QFileInfo(index).absolutePath()});
        browser->setSource(QUrl::fromLocalFile(index));
    } else {
        browser->setHtml(QStringLiteral("<p>Die Hilfe wurde nicht gefunden: %1</p>")
                             .arg(QDir::toNativeSeparators(index).toHtmlEscaped()));
    }
    layout->addWidget(browser);
    window->show();
}


}  // namespace shell
