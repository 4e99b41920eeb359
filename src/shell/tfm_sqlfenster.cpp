#include "shell/tfm_sqlfenster.h"

#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemquery.h"
#include "grid/datasetmodel.h"
#include "shell/tfm_buchungboxen.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

TFM_SqlFenster::TFM_SqlFenster(const QString& caption, const QString& initialStatement,
                               TQemConnection* connection, std::unique_ptr<TQemConnection> ownConnection,
                               bool fullNavigator, QWidget* parent)
    : QWidget(parent, Qt::Window),
      ownConnection_(std::move(ownConnection)),
      query_(std::make_unique<TQemQuery>()),
      boxes_(std::make_unique<TFM_BuchungBoxen>(this))
{
    feedback_ = boxes_.get();
    setWindowTitle(caption);
    resize(820, 520);
    query_->SetName(QStringLiteral("Query1"));
    query_->SetConnection(connection ? connection : ownConnection_.get());
    // The result is for reading only: every change is refused before it starts.
    auto refuse = [](TQemDataSet&) { throw EAbort(); };
    query_->BeforeInsert = refuse;
    query_->BeforeEdit = refuse;
    query_->BeforeDelete = refuse;

    auto* layout = new QVBoxLayout(this);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setPlainText(initialStatement);
    memo_->setMaximumHeight(120);
    layout->addWidget(memo_);
    auto* row = new QHBoxLayout;
    start_ = new QPushButton(QStringLiteral("Abfrage starten"), this);
    start_->setObjectName(QStringLiteral("Button1"));
    row->addWidget(start_);
    navigator_ = new QToolBar(this);
    row->addWidget(navigator_);
    row->addStretch(1);
    layout->addLayout(row);
    model_ = new DataSetModel(this);
    model_->setDataSet(query_.get());
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    // Column widths from the first rows only: a result can be long.
    grid_->horizontalHeader()->setResizeContentsPrecision(100);
    layout->addWidget(grid_, 1);
    buildNavigator(fullNavigator);
    connect(start_, &QPushButton::clicked, this, &TFM_SqlFenster::Button1Click);
}

TFM_SqlFenster::~TFM_SqlFenster()
{
    model_->setDataSet(nullptr);
    query_->Close();
}

void TFM_SqlFenster::setFeedback(Feedback* feedback)
{
    feedback_ = feedback ? feedback : boxes_.get();
}

void TFM_SqlFenster::buildNavigator(bool full)
{
    QStyle* st = style();
    auto add = [this, st](QStyle::StandardPixmap icon, const QString& hint) {
        QAction* a = navigator_->addAction(st->standardIcon(icon), hint);
        a->setToolTip(hint);
        return a;
    };
    connect(add(QStyle::SP_MediaSkipBackward, QStringLiteral("Erster Datensatz")), &QAction::triggered, this,
            [this] { moveTo(0); });
    connect(add(QStyle::SP_MediaSeekBackward, QStringLiteral("Vorheriger Datensatz")), &QAction::triggered, this,
            [this] { moveTo(grid_->currentIndex().row() - 1); });
    connect(add(QStyle::SP_MediaSeekForward, QStringLiteral("Nächster Datensatz")), &QAction::triggered, this,
            [this] { moveTo(grid_->currentIndex().row() + 1); });
    connect(add(QStyle::SP_MediaSkipForward, QStringLiteral("Letzter Datensatz")), &QAction::triggered, this,
            [this] { moveTo(model_->rowCount() - 1); });
    if (!full)
        return;
    // The editing buttons of the full navigator stay disabled: the result is read-only.
    for (auto [icon, hint] : {std::pair{QStyle::SP_FileDialogNewFolder, "Datensatz einfügen"},
                              std::pair{QStyle::SP_TrashIcon, "Datensatz löschen"},
                              std::pair{QStyle::SP_FileDialogDetailedView, "Datensatz bearbeiten"},
                              std::pair{QStyle::SP_DialogApplyButton, "Bearbeitung speichern"},
                              std::pair{QStyle::SP_DialogCancelButton, "Bearbeitung abbrechen"}})
        add(icon, QString::fromUtf8(hint))->setEnabled(false);
    connect(add(QStyle::SP_BrowserReload, QStringLiteral("Daten aktualisieren")), &QAction::triggered, this,
            &TFM_SqlFenster::Button1Click);
}

void TFM_SqlFenster::moveTo(int row)
{
    if (model_->rowCount() == 0)
        return;
    row = std::clamp(row, 0, model_->rowCount() - 1);
    const QModelIndex index = model_->index(row, std::max(0, grid_->currentIndex().column()));
    grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grid_->scrollTo(index);
}

// Columns as wide as their title and the first rows need, within bounds: a long memo would
// push every other column out of sight.
void TFM_SqlFenster::fitColumns()
{
    grid_->resizeColumnsToContents();
    for (int c = 0; c < model_->columnCount(); ++c)
        grid_->setColumnWidth(c, std::clamp(grid_->columnWidth(c), 40, 300));
}

bool TFM_SqlFenster::Button1Click()
{
    try {
        query_->Close();
        query_->SetSQL(memo_->toPlainText());
        bindParameters();
        query_->Open();
        fitColumns();
        if (model_->rowCount() > 0)
            moveTo(0);
        return true;
    } catch (const EQemDatabaseError& error) {
        query_->Close();
        feedback_->message(MeldungFehlerhaft + error.message(), MessageKind::Error);
    } catch (const std::exception& error) {
        query_->Close();
        feedback_->message(MeldungFehlerhaft + QString::fromUtf8(error.what()), MessageKind::Error);
    }
    return false;
}
