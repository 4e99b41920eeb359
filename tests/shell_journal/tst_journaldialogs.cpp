#include "../grid/journalfixture.h"
#include "scriptedfeedback.h"
#include "testsupport.h"

#include "dataaccess/demodaten.h"
#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemquery.h"
#include "dataaccess/wawischema.h"
#include "grid/datasetmodel.h"
#include "shell/tfm_bdesql.h"
#include "shell/tfm_buchung.h"
#include "shell/tfm_filter.h"
#include "shell/tfm_kostenstelle.h"
#include "shell/areaentries.h"
#include "shell/tfm_sql.h"
#include "store/einstellungen.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

class TstJournalDialogs : public QObject {
    Q_OBJECT
private slots:
    void kostenstelle_data();
    void kostenstelle();
    void filterAbortKeepsExpression_data();
    void filterAbortKeepsExpression();
    void localQuery_data();
    void localQuery();
    void wawiQueryFollowsJournal();
    void helpFromProgramDirectory();
};

void TstJournalDialogs::kostenstelle_data()
{
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("stored1");
    QTest::addColumn<QString>("stored2");
    QTest::newRow("ok-keeps-blanks") << true << "  0815" << "47 ";
    QTest::newRow("cancel-changes-nothing") << false << "alt1" << "alt2";
}

void TstJournalDialogs::kostenstelle()
{
    QFETCH(bool, ok);
    QFETCH(QString, stored1);
    QFETCH(QString, stored2);
    einstellungen().DateV_Kostenstelle1 = QStringLiteral("alt1");
    einstellungen().DateV_Kostenstelle2 = QStringLiteral("alt2");
    TFM_Kostenstelle dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("DateV Kostenstellen hinterlegen"));
    QCOMPARE(dialog.kostenstelle1()->text(), QStringLiteral("alt1"));
    dialog.kostenstelle1()->setText(QStringLiteral("  0815"));
    dialog.kostenstelle2()->setText(QStringLiteral("47 "));
    const QString button = ok ? QStringLiteral("OK") : QStringLiteral("Abbrechen");
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        if (b->text() == button)
            b->click();
    }
    QCOMPARE(dialog.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(einstellungen().DateV_Kostenstelle1, stored1);
    QCOMPARE(einstellungen().DateV_Kostenstelle2, stored2);
}

void TstJournalDialogs::filterAbortKeepsExpression_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("result");
    QTest::newRow("ok") << "OK" << "Soll > 1000";
    QTest::newRow("abort") << "Abbrechen" << "Export = FALSCH";
}

void TstJournalDialogs::filterAbortKeepsExpression()
{
    QFETCH(QString, button);
    QFETCH(QString, result);
    QTimer::singleShot(0, this, [button] {
        auto* dialog = qobject_cast<TFM_Filter*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Datenfilter festlegen"));
        dialog->editor()->setPlainText(QStringLiteral("Soll > 1000"));
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            if (b->text() == button)
                b->click();
        }
    });
    QCOMPARE(TFM_Filter::Bearbeiten(nullptr, QStringLiteral("Export = FALSCH")), result);
}

void TstJournalDialogs::localQuery_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("error");
    QTest::newRow("initial-statement") << QString() << 3 << false;
    QTest::newRow("condition") << "SELECT Buchungsnummer FROM Buchungen WHERE Brutto > 15" << 2 << false;
    QTest::newRow("faulty") << "SELECT * FROM Gibtsnicht" << 0 << true;
}

void TstJournalDialogs::localQuery()
{
    QFETCH(QString, sql);
    QFETCH(int, rows);
    QFETCH(bool, error);
    JournalFixture journal;  // the connection "DateV"
    journal.add({1, QStringLiteral("a"), 10});
    journal.add({2, QStringLiteral("b"), 20});
    journal.add({3, QStringLiteral("c"), 30});
    TFM_BDESQL window;
    ScriptedFeedback feedback;
    window.setFeedback(&feedback);
    QCOMPARE(window.windowTitle(), QStringLiteral("DateV SQL-Editor"));
    QCOMPARE(window.editor()->toPlainText(), QStringLiteral("SELECT * FROM Buchungen"));
    if (!sql.isEmpty())
        window.editor()->setPlainText(sql);
    QCOMPARE(window.Button1Click(), !error);
    QCOMPARE(window.model()->rowCount(), rows);
    if (error) {
        QCOMPARE(feedback.messages.size(), 1);
        QVERIFY(feedback.messages.first().startsWith(QStringLiteral("Die SQL-Anweisung ist fehlerhaft!\r")));
        QVERIFY(feedback.messages.first().size() > TFM_SqlFenster::MeldungFehlerhaft.size());
    } else {
        QVERIFY(feedback.messages.isEmpty());
        // The result is read-only: an edit is refused before it starts.
        QVERIFY_THROWS_EXCEPTION(EAbort, window.query().Edit());
    }
}

void TstJournalDialogs::wawiQueryFollowsJournal()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("wawi.sqlite"));
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("demo"));
        raw.setDatabaseName(path);
        QVERIFY(raw.open());
        QString error;
        QVERIFY2(WawiSchema::create(raw, {}, &error) && DemoDaten::fill(raw, {}, &error), qPrintable(error));
        raw.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("demo"));
    TQemConnection connection;
    connection.SetConnectionString(WawiSchema::sqliteConnectionString(path));
    connection.Open();
    QList<int> documents;
    {
        TQemQuery all;
        all.SetConnection(&connection);
        all.SetSQL(QStringLiteral("SELECT Auftrag FROM Auftrag ORDER BY Auftrag"));
        all.Open();
        for (all.First(); !all.Eof() && documents.size() < 2; all.Next())
            documents.append(all.Fields(0)->AsInteger());
    }
    QCOMPARE(documents.size(), 2);

    JournalFixture journal;
    journal.add({1, QStringLiteral("erste"), 10, 1200, 8400, false, documents[0]});
    journal.add({2, QStringLiteral("zweite"), 10, 1200, 8400, false, documents[1]});
    TFM_Buchung view(journal.db());
    QVERIFY(view.Action_Open());
    view.setCurrentRow(0);

    TFM_SQL window(connection, &view);
    QCOMPARE(window.windowTitle(), QStringLiteral("Wawi SQL-Editor"));
    QCOMPARE(window.editor()->toPlainText(), TFM_SQL::Anfangsanweisung);
    window.editor()->setPlainText(QStringLiteral("SELECT Auftrag, Vorgangsnummer FROM Auftrag WHERE Auftrag=:Auftrag"));
    QVERIFY(window.Button1Click());
    QCOMPARE(window.model()->rowCount(), 1);
    QCOMPARE(window.query().FieldByName(QStringLiteral("Auftrag"))->AsInteger(), documents[0]);
    view.setCurrentRow(1);
    QCOMPARE(window.model()->rowCount(), 1);
    QCOMPARE(window.query().FieldByName(QStringLiteral("Auftrag"))->AsInteger(), documents[1]);
    QVERIFY_THROWS_EXCEPTION(EAbort, window.query().Delete());
    connection.Close();
}

// "Hilfe" shows the German pages of the program directory; every page the contents name is
// there, and no link leads nowhere.
void TstJournalDialogs::helpFromProgramDirectory()
{
    testsupport::TempProgramDir program;
    QVERIFY(testsupport::copyDirectory(testsupport::sourceDir() + QStringLiteral("/resources/help"),
                                       program.filePath(QStringLiteral("help"))));
    PfadeSetzen();
    QWidget parent;
    shell::showHelp(&parent);
    QTextBrowser* browser = nullptr;
    for (QWidget* w : parent.findChildren<QWidget*>()) {
        if (w->isWindow() && w->windowTitle() == QStringLiteral("Hilfe - Fibu Schnittstelle"))
            browser = w->findChild<QTextBrowser*>();
    }
    QVERIFY(browser);
    QCOMPARE(browser->source().fileName(), QStringLiteral("index.html"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Inhalt")));

    const QDir help(program.filePath(QStringLiteral("help")));
    const QStringList topics{QStringLiteral("verbindung.html"), QStringLiteral("import.html"),
                             QStringLiteral("journal.html"), QStringLiteral("export.html"),
                             QStringLiteral("unbeaufsichtigt.html")};
    const QRegularExpression link(QStringLiteral("href=\"([^\"#]+)"));
    for (const QString& page : help.entryList({QStringLiteral("*.html")})) {
        QFile file(help.filePath(page));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY2(html.contains(QStringLiteral("lang=\"de\"")), qPrintable(page));
        for (const auto& match : link.globalMatch(html)) {
            const QString target = match.captured(1);
            if (!target.startsWith(QStringLiteral("http")))
                QVERIFY2(help.exists(target), qPrintable(page + QStringLiteral(" -> ") + target));
        }
        if (page == QStringLiteral("index.html")) {
            for (const QString& topic : topics)
                QVERIFY2(html.contains(QStringLiteral("href=\"") + topic), qPrintable(topic));
        }
    }
}

QTEST_MAIN(TstJournalDialogs)
#include "tst_journaldialogs.moc"
