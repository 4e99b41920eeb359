#include "shell/tfm_tranlater.h"

#include "dataaccess/eqemdatabaseerror.h"
#include "dataaccess/tqemconnection.h"
#include "dataaccess/tqemfield.h"
#include "dataaccess/tqemtable.h"
#include "shell/datensatznavigator.h"
#include "shell/zahlendelegate.h"
#include "store/lokaledatenbank.h"

#include <QComboBox>
#include <QDataWidgetMapper>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QShowEvent>
#include <QSqlError>
#include <QSqlTableModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QLineEdit* kontofeld()
{
    auto* e = new QLineEdit;
    e->setMaxLength(9);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), e));
    return e;
}

}  // namespace

TFM_Tranlater::TFM_Tranlater(QWidget* parent, TQemConnection& connection, const QSqlDatabase& datenbank)
    : QDialog(parent), connection_(connection)
{
    setObjectName(QStringLiteral("FM_Tranlater"));
    setWindowTitle(QStringLiteral("Kontenübersetzter - EU Lieferschwellen"));
    Tbl_KoTrans = new QSqlTableModel(this, datenbank);
    DBGrid1 = new QTableView;
    DBGrid1->setModel(Tbl_KoTrans);
    DBGrid1->setAlternatingRowColors(true);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);  // edited in the fields beside
    DBNavigator1 = new Datensatznavigator(Tbl_KoTrans, DBGrid1);
    Verbindung = new QDataWidgetMapper(this);
    Verbindung->setModel(Tbl_KoTrans);
    Verbindung->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
    DBNavigator1->bearbeitungUebernehmen = [this] {
        if (Verbindung->currentIndex() >= 0)
            Verbindung->submit();
    };
    auto* zahlen = new ZahlenDelegate(Verbindung);
    Verbindung->setItemDelegate(zahlen);
    connect(DBNavigator1, &Datensatznavigator::zeileGewechselt, this, &TFM_Tranlater::zeileZeigen);

    BitBtn1 = new QPushButton(QStringLiteral("&OK"));
    BitBtn1->setToolTip(QStringLiteral("Auswahl übernehmen (F12)"));
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(new QShortcut(QKeySequence(Qt::Key_F12), this), &QShortcut::activated, this, &QDialog::accept);

    auto* unten = new QHBoxLayout;
    unten->addWidget(DBNavigator1);
    unten->addStretch();
    unten->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(feldGruppe());
    layout->addLayout(unten);
    resize(620, 460);
}

TFM_Tranlater::~TFM_Tranlater() = default;

QWidget* TFM_Tranlater::feldGruppe()
{
    auto* gruppe = new QGroupBox;
    ED_DKonto = kontofeld();
    CB_Land = new QComboBox;
    CB_Land->setEditable(false);
    ED_AKonto = kontofeld();
    ED_Bemerkung = new QLineEdit;
    auto* form = new QFormLayout(gruppe);
    form->addRow(QStringLiteral("Ursprungskonto"), ED_DKonto);
    form->addRow(QStringLiteral("Land"), CB_Land);
    form->addRow(QStringLiteral("Übersetztes Konto"), ED_AKonto);
    form->addRow(QStringLiteral("Bemerkung"), ED_Bemerkung);
    for (QWidget* w : {static_cast<QWidget*>(ED_DKonto), static_cast<QWidget*>(CB_Land),
                       static_cast<QWidget*>(ED_AKonto), static_cast<QWidget*>(ED_Bemerkung)})
        w->installEventFilter(this);
    return gruppe;
}

bool TFM_Tranlater::eventFilter(QObject* objekt, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int taste = static_cast<QKeyEvent*>(event)->key();
        if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(objekt, event);
}

void TFM_Tranlater::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    laenderLaden();
    tabelleOeffnen();
}

QStringList TFM_Tranlater::aktiveLaender(TQemConnection& connection)
{
    QStringList laender;
    if (!connection.Connected())
        return laender;
    TQemTable land;
    land.SetConnection(&connection);
    land.SetTableName(QStringLiteral("Land.DB"));
    land.Open();
    for (land.First(); !land.Eof(); land.Next()) {
        if (land.FieldByName(QStringLiteral("Aktiv"))->AsBoolean())
            laender << land.FieldByName(QStringLiteral("LandName"))->AsString();
    }
    land.Close();
    std::sort(laender.begin(), laender.end(),
              [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
    return laender;
}

void TFM_Tranlater::laenderLaden()
{
    CB_Land->clear();
    try {
        CB_Land->addItems(aktiveLaender(connection_));
    } catch (const std::exception& e) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Die Länder der Warenwirtschaft konnten nicht gelesen werden.\n")
                                 + QString::fromUtf8(e.what()));
    }
}

void TFM_Tranlater::tabelleOeffnen()
{
    Tbl_KoTrans->setTable(LokalerTabellenname(QStringLiteral("KoTrans.db"), Tbl_KoTrans->database()));
    const int dKonto = Tbl_KoTrans->fieldIndex(QStringLiteral("D_Konto"));
    if (dKonto >= 0)
        Tbl_KoTrans->setSort(dKonto, Qt::AscendingOrder);
    if (!Tbl_KoTrans->select()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Die Tabelle KoTrans.db konnte nicht geöffnet werden.\n")
                                 + Tbl_KoTrans->lastError().text());
        return;
    }
    const int land = Tbl_KoTrans->fieldIndex(QStringLiteral("Land"));
    const int aKonto = Tbl_KoTrans->fieldIndex(QStringLiteral("A_Konto"));
    const int bemerkung = Tbl_KoTrans->fieldIndex(QStringLiteral("Bemerkung"));
    auto* zahlen = static_cast<ZahlenDelegate*>(Verbindung->itemDelegate());
    zahlen->setzeGanzzahl(dKonto);
    zahlen->setzeGanzzahl(aKonto);
    Verbindung->clearMapping();
    Verbindung->addMapping(ED_DKonto, dKonto);
    Verbindung->addMapping(CB_Land, land, "currentText");
    Verbindung->addMapping(ED_AKonto, aKonto);
    Verbindung->addMapping(ED_Bemerkung, bemerkung);
    // The grid shows D_Konto, Land and A_Konto; the remark is edited in its field.
    for (int c = 0; c < Tbl_KoTrans->columnCount(); ++c)
        DBGrid1->setColumnHidden(c, c != dKonto && c != land && c != aKonto);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBNavigator1->gehe(0);
    zeileZeigen(DBNavigator1->aktuelleZeile());
}

// A country that is no longer active stays as stored: it is added to the list, so the row shows
// it and posts it unchanged.
void TFM_Tranlater::zeileZeigen(int zeile)
{
    Verbindung->setCurrentIndex(zeile);
    const int spalte = Tbl_KoTrans->fieldIndex(QStringLiteral("Land"));
    const QString land = zeile >= 0 && spalte >= 0 ? Tbl_KoTrans->index(zeile, spalte).data().toString() : QString();
    if (land.isEmpty()) {
        CB_Land->setCurrentIndex(-1);
        return;
    }
    if (CB_Land->findText(land) < 0)
        CB_Land->addItem(land);
    CB_Land->setCurrentIndex(CB_Land->findText(land));
}

void TFM_Tranlater::done(int result)
{
    if (!DBNavigator1->speichern())
        return;  // the message told why; nothing typed is lost
    Verbindung->clearMapping();
    Tbl_KoTrans->clear();
    QDialog::done(result);
}
