#include "shell/tfm_mwstein.h"

#include "shell/datensatznavigator.h"
#include "shell/zahlendelegate.h"
#include "store/lokaledatenbank.h"

#include <QHeaderView>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

struct Spalte {
    const char* feld;
    const char* titel;  // nullptr: the field name
};

const Spalte kSpalten[] = {
    {"MWSTSATZ", "MWST-Satz"},
    {"MWST", "MWST in %"},
    {"MWSTKONTOV", "Erlöskonto"},
    {"SKONTOV", "Skonto Erlöse"},
    {"SKONTOVEU", "Skonto Erlöse EU"},
    {"SKONTOVNEU", "Skonto Erlöse nicht EU"},
    {"SKONTOVBAU", "Skonto Erlöse Bau"},
    {"MWSTKONTOE", "Aufwendungskonto"},
    {"SKONTOE", "Skonto-Aufwendungen"},
    {"SKONTOEEU", "Skonto-Aufwendungen EU"},
    {"SKONTOENEU", "Skonto-Aufwendungen Nicht EU"},
    {"SKONTOEBAU", "Skonto-Aufwendungen Bau"},
    {"UEBERZAHLV", nullptr},
    {"UEBERZAHLVFREI", nullptr},
    {"UEBERZAHLE", nullptr},
    {"UEBERZAHLEFREI", nullptr},
};

}  // namespace

TFM_MwStEin::TFM_MwStEin(QWidget* parent, const QSqlDatabase& datenbank) : QDialog(parent)
{
    setObjectName(QStringLiteral("FM_MwStEin"));
    setWindowTitle(QStringLiteral("MwSt-Einstellung"));
    Table1 = new QSqlTableModel(this, datenbank);
    DBGrid1 = new QTableView;
    DBGrid1->setModel(Table1);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 8);
    DBNavigator1 = new Datensatznavigator(Table1, DBGrid1);
    BitBtn1 = new QPushButton(QStringLiteral("&Schließen"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    auto* unten = new QHBoxLayout;
    unten->addWidget(DBNavigator1);
    unten->addStretch();
    unten->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(unten);
    resize(980, 380);
}

TFM_MwStEin::~TFM_MwStEin() = default;

QStringList TFM_MwStEin::felder()
{
    QStringList f;
    for (const Spalte& s : kSpalten)
        f << QString::fromLatin1(s.feld);
    return f;
}

QString TFM_MwStEin::titel(const QString& feld)
{
    for (const Spalte& s : kSpalten) {
        if (feld.compare(QLatin1String(s.feld), Qt::CaseInsensitive) == 0)
            return s.titel ? QString::fromUtf8(s.titel) : QString::fromLatin1(s.feld);
    }
    return feld;
}

void TFM_MwStEin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        tabelleOeffnen();
}

void TFM_MwStEin::tabelleOeffnen()
{
    Table1->setTable(LokalerTabellenname(QStringLiteral("MWSTEIN.DB"), Table1->database()));
    const int schluessel = Table1->fieldIndex(QStringLiteral("MWSTSATZ"));
    if (schluessel >= 0)
        Table1->setSort(schluessel, Qt::AscendingOrder);
    if (!Table1->select()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Die Tabelle MWSTEIN.DB konnte nicht geöffnet werden.\n")
                                 + Table1->lastError().text());
        return;
    }
    spaltenOrdnen();
    DBNavigator1->gehe(0);
}

// The fields in the order of the design; the table's other fields stay hidden.
void TFM_MwStEin::spaltenOrdnen()
{
    auto* delegate = new ZahlenDelegate(DBGrid1);
    QHeaderView* kopf = DBGrid1->horizontalHeader();
    const QSqlRecord r = Table1->record();
    for (int c = 0; c < r.count(); ++c)
        DBGrid1->setColumnHidden(c, true);
    int sichtbar = 0;
    for (const QString& feld : felder()) {
        const int c = Table1->fieldIndex(feld);
        if (c < 0)
            continue;
        DBGrid1->setColumnHidden(c, false);
        Table1->setHeaderData(c, Qt::Horizontal, titel(feld));
        if (feld == QLatin1String("MWST"))
            delegate->setzeDezimal(c);
        else
            delegate->setzeGanzzahl(c);
        kopf->moveSection(kopf->visualIndex(c), sichtbar++);
    }
    DBGrid1->setItemDelegate(delegate);
    DBGrid1->resizeColumnsToContents();
}

QStringList TFM_MwStEin::spaltenTitel() const
{
    QStringList titel;
    const QHeaderView* kopf = DBGrid1->horizontalHeader();
    for (int v = 0; v < kopf->count(); ++v) {
        const int c = kopf->logicalIndex(v);
        if (!DBGrid1->isColumnHidden(c))
            titel << Table1->headerData(c, Qt::Horizontal).toString();
    }
    return titel;
}

void TFM_MwStEin::done(int result)
{
    if (!DBNavigator1->speichern())
        return;  // the message told why; nothing typed is lost
    Table1->clear();
    QDialog::done(result);
}
