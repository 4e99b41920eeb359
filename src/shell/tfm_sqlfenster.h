#pragma once
// The common window of the two query windows: a multi-line statement field, "Abfrage starten",
// a navigator and a read-only result grid over a TQemQuery on the given connection.
//
// "Abfrage starten" (Button1Click): close the query, take the whole text of the field, bind
// the parameters (bindParameters(), for the WAWI window from the current booking), open.
// A failing statement shows "Die SQL-Anweisung ist fehlerhaft!\r" + the error's message and
// leaves the grid empty. Inserting, editing and deleting in the result are refused silently.

#include <QWidget>

#include <memory>

class DataSetModel;
class Feedback;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QToolBar;
class TQemConnection;
class TQemQuery;

class TFM_SqlFenster : public QWidget {
    Q_OBJECT
public:
    static inline const QString MeldungFehlerhaft = QStringLiteral("Die SQL-Anweisung ist fehlerhaft!\r");

    ~TFM_SqlFenster() override;

    // Replaces the message boxes (not owned).
    void setFeedback(Feedback* feedback);

    // True when the query is open afterwards.
    bool Button1Click();

    QPlainTextEdit* editor() const { return memo_; }
    QTableView* grid() const { return grid_; }
    TQemQuery& query() const { return *query_; }
    DataSetModel* model() const { return model_; }

protected:
    // The query works on connection, or (connection nullptr) on ownConnection, which the
    // window keeps until it closes.
    TFM_SqlFenster(const QString& caption, const QString& initialStatement, TQemConnection* connection,
                   std::unique_ptr<TQemConnection> ownConnection, bool fullNavigator, QWidget* parent);
    // Values of the statement's parameters before the query opens.
    virtual void bindParameters() {}

private:
    void buildNavigator(bool full);
    void moveTo(int row);
    void fitColumns();

    std::unique_ptr<TQemConnection> ownConnection_;
    std::unique_ptr<TQemQuery> query_;
    std::unique_ptr<Feedback> boxes_;
    Feedback* feedback_;
    DataSetModel* model_;
    QPlainTextEdit* memo_;
    QPushButton* start_;
    QToolBar* navigator_;
    QTableView* grid_;
};
