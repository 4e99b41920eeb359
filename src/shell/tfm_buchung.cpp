#include "shell/tfm_buchung.h"

#include "grid/sqlpagemodel.h"
#include "grid/unicodeupper.h"
#include "shell/officetable.h"
#include "shell/tfm_buchungboxen.h"
#include "store/einstellungen.h"
#include "store/lokaledatenbank.h"
#include "store/rtfzutext.h"
#include "store/zahlen.h"

#include <QAction>
#include <QDate>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QSqlError>
#include <QSqlQuery>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString journalStatement = QStringLiteral("SELECT * FROM Buchungen");
const QString keyField = QStringLiteral("BuchNr");
// The grid's own question before a row is deleted.
const QString frageDatensatzLoeschen = QStringLiteral("Datensatz löschen?");

SqlPageModel* newModel(QObject* parent)
{
    auto* model = new SqlPageModel(parent);
    model->setColumns(GridColumns::journal());
    model->setNumberReader([](const QString& text) { return Runden(2, TextZuZahl(text)); });
    return model;
}

class GridTable : public OfficeTable {
public:
    explicit GridTable(const SqlPageModel& model) : model_(model) {}
    int columnCount() const override { return model_.columns().count(); }
    QString header(int column) const override { return model_.columns().at(column).fieldName; }
    int rowCount() const override { return model_.rowCount(); }
    QString cell(int row, int column) const override
    {
        const QString text = model_.cellText(row, column);
        return text.startsWith(QLatin1Char('{')) ? RTFzuText(text, 0) : text;
    }

private:
    const SqlPageModel& model_;
};

}  // namespace

TFM_Buchung::TFM_Buchung(const QSqlDatabase& local, QWidget* parent)
    : QWidget(parent), local_(local), boxes_(std::make_unique<TFM_BuchungBoxen>(this))
{
    setObjectName(QStringLiteral("FM_Buchung1"));
    feedback_ = boxes_.get();
    logic_ = std::make_unique<TFM_BuchungLogic>(local_, *feedback_);
    journal_ = newModel(this);
    journal_->setEditTable(TabelleBuchungen);
    buildUi();
    if (local_.isOpen())
        registerUnicodeUpper(local_);
}

TFM_Buchung::~TFM_Buchung() = default;

void TFM_Buchung::setWaWi(std::unique_ptr<TFM_BuchungLogic::WaWi> wawi)
{
    wawi_ = std::move(wawi);
    logic_->setWaWi(wawi_.get());
}

void TFM_Buchung::setFeedback(Feedback* feedback)
{
    feedback_ = feedback ? feedback : boxes_.get();
    logic_->setFeedback(*feedback_);
}

Feedback& TFM_Buchung::feedback() const
{
    return *feedback_;
}

void TFM_Buchung::buildUi()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);

    auto* suchLeiste = new QHBoxLayout;
    suchLeiste->addWidget(new QLabel(QStringLiteral("Suche:"), this));
    suchFeld_ = new QLineEdit(this);
    suchFeld_->setObjectName(QStringLiteral("ED_Suche"));
    suchLeiste->addWidget(suchFeld_, 1);
    suchen_ = new QPushButton(QStringLiteral("Suchen"), this);
    suchen_->setObjectName(QStringLiteral("SP_Suche"));
    suchLeiste->addWidget(suchen_);
    suchansichtAus_ = new QPushButton(QStringLiteral("Suchansicht aus"), this);
    suchansichtAus_->setObjectName(QStringLiteral("SpeedButton2"));
    suchansichtAus_->hide();
    suchLeiste->addWidget(suchansichtAus_);
    layout->addLayout(suchLeiste);

    auto* knoepfe = new QHBoxLayout;
    designer_ = new QPushButton(QStringLiteral("&Tabellendesigner"), this);
    designer_->setEnabled(false);
    knoepfe->addWidget(designer_);
    deleteExport_ = new QPushButton(QStringLiteral("exportierte Buchungen löschen"), this);
    deleteExport_->setToolTip(QStringLiteral("exportierte Buchungen löschen\n(grau dargestellte Buchungen)"));
    knoepfe->addWidget(deleteExport_);
    listenedit_ = new QPushButton(QStringLiteral("Liste editierbar an/aus"), this);
    listenedit_->setObjectName(QStringLiteral("SP_Listenedit"));
    listenedit_->setToolTip(QStringLiteral("Eingabemöglichkeit in der Liste direkt an oder abschalten\n"
                                           "(Aus Sicherheitsgründen ist diese als Standard immer aus)"));
    knoepfe->addWidget(listenedit_);
    knoepfe->addStretch(1);

    navigator_ = new QToolBar(this);
    navigator_->setObjectName(QStringLiteral("Navigator"));
    QStyle* st = style();
    auto nav = [this, st](QStyle::StandardPixmap icon, const QString& hint, auto slot) {
        QAction* a = navigator_->addAction(st->standardIcon(icon), hint);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    nav(QStyle::SP_MediaSkipBackward, QStringLiteral("Erster Datensatz"), [this] { setCurrentRow(0); });
    nav(QStyle::SP_MediaSeekBackward, QStringLiteral("Vorheriger Datensatz"),
        [this] { setCurrentRow(std::max(0, currentRow() - 1)); });
    nav(QStyle::SP_MediaSeekForward, QStringLiteral("Nächster Datensatz"), [this] { setCurrentRow(currentRow() + 1); });
    nav(QStyle::SP_MediaSkipForward, QStringLiteral("Letzter Datensatz"),
        [this] { setCurrentRow(currentModel()->rowCount() - 1); });
    navInsert_ = nav(QStyle::SP_FileDialogNewFolder, QStringLiteral("Datensatz einfügen"), [this] { insertBooking(); });
    nav(QStyle::SP_TrashIcon, QStringLiteral("Datensatz löschen"), [this] { deleteCurrent(); });
    nav(QStyle::SP_BrowserReload, QStringLiteral("Daten aktualisieren"), [this] { refresh(); });
    knoepfe->addWidget(navigator_);
    layout->addLayout(knoepfe);

    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("cxGrid1DBTableView1"));
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->setFixedWidth(14);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->setWordWrap(false);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(grid_, 1);
    showModel(journal_);
    // The designed widths, but never narrower than the column's title.
    const GridColumns cols = journal_->columns();
    const QFontMetrics titles(grid_->horizontalHeader()->font());
    for (int i = 0; i < cols.count(); ++i)
        grid_->setColumnWidth(i, std::max(cols.at(i).width, titles.horizontalAdvance(cols.at(i).title) + 12));

    popup_ = new QMenu(this);
    QAction* popupDesigner = popup_->addAction(QStringLiteral("&Tabellendesigner"));
    connect(popupDesigner, &QAction::triggered, this, [this] {
        if (openDesigner_)
            openDesigner_();
    });
    connect(grid_, &QWidget::customContextMenuRequested, this, [this, popupDesigner](const QPoint& at) {
        popupDesigner->setEnabled(bool(openDesigner_));
        popup_->popup(grid_->viewport()->mapToGlobal(at));
    });

    connect(suchen_, &QPushButton::clicked, this, &TFM_Buchung::SP_SucheClick);
    connect(suchFeld_, &QLineEdit::returnPressed, this, &TFM_Buchung::SP_SucheClick);
    connect(suchansichtAus_, &QPushButton::clicked, this, &TFM_Buchung::SpeedButton2Click);
    connect(listenedit_, &QPushButton::clicked, this, &TFM_Buchung::SP_ListeneditClick);
    connect(deleteExport_, &QPushButton::clicked, this, &TFM_Buchung::Action_DeleteExport);
    connect(designer_, &QPushButton::clicked, this, [this] {
        if (openDesigner_)
            openDesigner_();
    });
    auto* del = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), grid_);
    connect(del, &QShortcut::activated, this, [this] { deleteCurrent(); });
    applyEditState();
}

void TFM_Buchung::showModel(SqlPageModel* model)
{
    const GridColumns cols = columns();
    QVector<int> widths;
    for (int i = 0; grid_->model() && i < grid_->model()->columnCount(); ++i)
        widths.append(grid_->columnWidth(i));
    grid_->setModel(model);
    for (int i = 0; i < widths.size(); ++i)
        grid_->setColumnWidth(i, widths[i]);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { emit currentBookingChanged(); });
    if (model->rowCount() > 0)
        setCurrentRow(0);
    emit currentBookingChanged();
}

bool TFM_Buchung::Action_Open()
{
    if (local_.isOpen())
        registerUnicodeUpper(local_);
    const bool ok = journal_->setSource(local_, journalStatement, keyField);
    if (!searchShown())
        showModel(journal_);
    return ok;
}

void TFM_Buchung::Action_Close()
{
    SpeedButton2Click();
    journal_->setSource(QSqlDatabase(), QString(), keyField);
}

void TFM_Buchung::refresh()
{
    if (searchShown())
        return;
    const QVariant key = journal_->key(currentRow());
    const int row = currentRow();
    journal_->refresh();
    showModel(journal_);
    int target = key.isValid() ? journal_->rowOfKey(key) : row;
    if (target < 0)
        target = std::min(row, journal_->rowCount() - 1);
    setCurrentRow(target);
}

void TFM_Buchung::SP_SucheClick()
{
    const QString sql = TFM_BuchungLogic::SuchStatement(suchFeld_->text());
    if (sql.isEmpty()) {
        SpeedButton2Click();
        return;
    }
    auto* result = newModel(this);
    // One pass over the journal for the condition; the pages then follow by key range.
    if (!result->setSource(local_, sql, keyField, SqlPageModel::Reading::KeysFirst)) {
        // A statement that cannot run leaves the view as it was.
        delete result;
        return;
    }
    SqlPageModel* old = search_;
    search_ = result;
    showModel(search_);
    delete old;
    suchansichtAus_->show();
    listenedit_->hide();
}

void TFM_Buchung::SpeedButton2Click()
{
    suchFeld_->clear();
    if (search_) {
        showModel(journal_);
        delete search_;
        search_ = nullptr;
    }
    suchansichtAus_->hide();
    listenedit_->show();
}

bool TFM_Buchung::searchShown() const
{
    return search_ != nullptr;
}

void TFM_Buchung::SP_ListeneditClick()
{
    journal_->setEditable(!journal_->isEditable());
    applyEditState();
}

bool TFM_Buchung::listEditable() const
{
    return journal_->isEditable();
}

void TFM_Buchung::applyEditState()
{
    const bool on = journal_->isEditable();
    // Flat means editing on.
    listenedit_->setFlat(on);
    grid_->setEditTriggers(on ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                    | QAbstractItemView::AnyKeyPressed
                              : QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(on ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    navInsert_->setEnabled(on);
}

void TFM_Buchung::insertBooking()
{
    if (!journal_->isEditable() || searchShown())
        return;
    QSqlQuery insert(local_);
    insert.prepare(QStringLiteral("INSERT INTO Buchungen (Datum, Export, PrgNr, Mandant) VALUES (?, 0, ?, ?)"));
    insert.addBindValue(QDate::currentDate());
    insert.addBindValue(einstellungen().Qem_Programm);
    insert.addBindValue(einstellungen().Aktiv_Mandant);
    if (!insert.exec()) {
        feedback_->message(insert.lastError().text(), MessageKind::Error);
        return;
    }
    journal_->refresh();
    showModel(journal_);
    setCurrentRow(journal_->rowCount() - 1);
}

bool TFM_Buchung::deleteCurrent()
{
    SqlPageModel* model = currentModel();
    const int row = currentRow();
    const QVariant key = model->key(row);
    if (!key.isValid() || !feedback_->ask(frageDatensatzLoeschen, true))
        return false;
    const bool deleted = logic_->Loeschen(key.toLongLong());
    if (deleted) {
        model->refresh();
        showModel(model);
        setCurrentRow(std::min(row, model->rowCount() - 1));
    }
    return deleted;
}

int TFM_Buchung::Action_DeleteExport()
{
    const int deleted = logic_->Action_DeleteExport();
    if (deleted > 0) {
        SqlPageModel* model = currentModel();
        const int row = currentRow();
        model->refresh();
        showModel(model);
        setCurrentRow(std::min(row, model->rowCount() - 1));
    }
    return deleted;
}

void TFM_Buchung::setTabellendesigner(std::function<void()> open)
{
    openDesigner_ = std::move(open);
    designer_->setEnabled(bool(openDesigner_));
}

SqlPageModel* TFM_Buchung::currentModel() const
{
    return search_ ? search_ : journal_;
}

GridColumns TFM_Buchung::columns() const
{
    return journal_->columns();
}

int TFM_Buchung::currentRow() const
{
    const QModelIndex current = grid_->currentIndex();
    return current.isValid() ? current.row() : (currentModel()->rowCount() > 0 ? 0 : -1);
}

void TFM_Buchung::setCurrentRow(int row)
{
    SqlPageModel* model = currentModel();
    if (model->rowCount() == 0 || row < 0)
        return;
    row = std::min(row, model->rowCount() - 1);
    const int column = std::max(0, grid_->currentIndex().column());
    const QModelIndex index = model->index(row, column);
    QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect;
    if (!journal_->isEditable() || searchShown())
        how |= QItemSelectionModel::Rows;
    grid_->selectionModel()->setCurrentIndex(index, how);
    grid_->scrollTo(index);
}

QSqlRecord TFM_Buchung::currentRecord() const
{
    return currentModel()->record(currentRow());
}

std::unique_ptr<OfficeTable> TFM_Buchung::officeTable() const
{
    return std::make_unique<GridTable>(*currentModel());
}
