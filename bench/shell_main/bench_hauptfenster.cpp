// Start-up of the main window up to the shown, empty journal area, after the structure check
// has brought the local database up to date. Offscreen; target: under 1 s.
#include "shell/tfm_haupt.h"
#include "store/einstellungen.h"
#include "store/feedback.h"
#include "store/strukturcheck.h"

#include "testsupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testsupport::TempProgramDir programm;
    PfadeSetzen();
    StrukturCheck(&silentFeedback()).Check_Version();

    std::vector<qint64> zeiten;
    for (int lauf = 0; lauf < 5; ++lauf) {
        QElapsedTimer uhr;
        uhr.start();
        TFM_Haupt::Optionen optionen;
        optionen.feedback = &silentFeedback();
        // No merchandise-management database here: the product selection is not what is timed.
        optionen.schritte.warenwirtschaft = [](TQemConnection&, Feedback&) { return true; };
        TFM_Haupt haupt(std::move(optionen));
        QSignalSpy gestartet(&haupt, &TFM_Haupt::gestartet);
        haupt.show();
        if (!gestartet.wait(30000) || !haupt.journal() || !haupt.journal()->isVisible()) {
            std::fprintf(stderr, "the journal area was not shown\n");
            return 1;
        }
        zeiten.push_back(uhr.elapsed());
    }
    std::sort(zeiten.begin(), zeiten.end());
    std::printf("main window start-up to shown empty journal: median %lld ms, max %lld ms "
                "(5 runs, target < 1000 ms)\n",
                static_cast<long long>(zeiten[zeiten.size() / 2]), static_cast<long long>(zeiten.back()));
    return zeiten[zeiten.size() / 2] < 1000 ? 0 : 1;
}
