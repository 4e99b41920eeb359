#include "store/feedback.h"

#include <QtTest>

class TstFeedback : public QObject {
    Q_OBJECT
private slots:
    void silentAnswersWithDefault()
    {
        QCOMPARE(silentFeedback().ask(QStringLiteral("Weiter?"), true), true);
        QCOMPARE(silentFeedback().ask(QStringLiteral("Weiter?"), false), false);
        QVERIFY(!silentFeedback().cancelled());
    }
};

QTEST_GUILESS_MAIN(TstFeedback)
#include "tst_feedback.moc"
