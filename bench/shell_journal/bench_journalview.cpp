// Journal view over a million bookings: time until the view is shown, scrolling to the end,
// resident memory, and a search over the whole journal.

#include "../../tests/grid/journalfixture.h"

#include "grid/sqlpagemodel.h"
#include "shell/tfm_buchung.h"
#include "shell/tfm_buchunglogic.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTableView>

#include <cstdio>
#include <ctime>

namespace {

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(status.readAll());
    const auto match = QRegularExpression(QStringLiteral("VmRSS:\\s+(\\d+) kB")).match(text);
    return match.hasMatch() ? match.captured(1).toDouble() / 1024.0 : -1;
}

void fill(JournalFixture& journal, int count)
{
    QSqlDatabase db = journal.db();
    db.transaction();
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO Buchungen (Buchungsnummer, Datum, Soll, Haben, Buchungstext, Brutto, Netto, "
                             "USTBetrag, MwSt, MwStPro, Export, PrgNr, Mandant, Auftrag) "
                             "VALUES (?,?,?,?,?,?,?,?,1,0.19,?,3,1,?)"));
    const QDate start(2020, 1, 1);
    for (int i = 0; i < count; ++i) {
        const double brutto = (i % 9973) + 0.5;
        q.addBindValue(100000 + i / 3);
        q.addBindValue(start.addDays(i / 1000));
        q.addBindValue(10000 + i % 500);
        q.addBindValue(8400);
        q.addBindValue(QStringLiteral("Rechnung %1 Kunde %2 Müller").arg(100000 + i / 3).arg(10000 + i % 500));
        q.addBindValue(brutto);
        q.addBindValue(brutto / 1.19);
        q.addBindValue(brutto - brutto / 1.19);
        q.addBindValue(i < count / 2 ? 1 : 0);
        q.addBindValue(i / 3);
        q.exec();
    }
    db.commit();
}

// Processor time of this process: on a shared machine it shows what the wall clock hides.
double cpuMs()
{
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

void settle(QWidget& w)
{
    w.repaint();
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 1000000;
    JournalFixture journal;
    QElapsedTimer timer;
    timer.start();
    fill(journal, count);
    std::printf("journal: %d bookings written in %.1f s\n", count, timer.elapsed() / 1000.0);
    std::printf("resident before the view: %.0f MB\n", residentMb());

    timer.restart();
    TFM_Buchung view(journal.db());
    view.resize(1200, 800);
    view.Action_Open();
    view.show();
    settle(view);
    std::printf("view shown: %lld ms (%d rows)\n", timer.elapsed(), view.currentModel()->rowCount());

    timer.restart();
    view.setCurrentRow(view.currentModel()->rowCount() - 1);
    settle(view);
    std::printf("scroll to the end: %lld ms\n", timer.elapsed());

    timer.restart();
    for (int step = 0; step < 200; ++step) {
        view.grid()->verticalScrollBar()->setValue(view.grid()->verticalScrollBar()->maximum() - step * 40);
        settle(view);
    }
    std::printf("200 page-ups from the end: %lld ms\n", timer.elapsed());

    for (const QString& text : {QStringLiteral("Rechnung 100050 "), QStringLiteral("müller"), QStringLiteral("4711"),
                               QStringLiteral("12,50")}) {
        view.searchField()->setText(text);
        timer.restart();
        const double cpuStart = cpuMs();
        view.SP_SucheClick();
        settle(view);
        std::printf("search \"%s\": %lld ms, cpu %.0f ms (%d rows)\n", qPrintable(text), timer.elapsed(),
                    cpuMs() - cpuStart, view.currentModel()->rowCount());
        timer.restart();
        view.setCurrentRow(view.currentModel()->rowCount() - 1);
        settle(view);
        std::printf("  to the end of the result: %lld ms\n", timer.elapsed());
        view.SpeedButton2Click();
    }
    // The same number search read the counting way (COUNT over the condition, then the first
    // page), for comparison on the same machine and load.
    {
        SqlPageModel counted;
        counted.setColumns(GridColumns::journal());
        timer.restart();
        const double cpuStart = cpuMs();
        counted.setSource(journal.db(), TFM_BuchungLogic::SuchStatement(QStringLiteral("4711")),
                          QStringLiteral("BuchNr"), SqlPageModel::Reading::Counted);
        counted.key(0);
        std::printf("search \"4711\" counted, first page: %lld ms, cpu %.0f ms (%d rows)\n", timer.elapsed(),
                    cpuMs() - cpuStart, counted.rowCount());
    }
    std::printf("resident with the view: %.0f MB\n", residentMb());
    return 0;
}
