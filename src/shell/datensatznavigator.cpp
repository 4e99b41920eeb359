#include "shell/datensatznavigator.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMessageBox>
#include <QSqlError>
#include <QSqlTableModel>
#include <QToolButton>

Datensatznavigator::Datensatznavigator(QSqlTableModel* model, QAbstractItemView* view, QWidget* parent)
    : QWidget(parent), model_(model), view_(view)
{
    setObjectName(QStringLiteral("DBNavigator1"));
    model_->setEditStrategy(QSqlTableModel::OnRowChange);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto add = [&](const QString& text, const QString& hinweis, auto slot) {
        QToolButton* b = knopf(text, hinweis);
        layout->addWidget(b);
        connect(b, &QToolButton::clicked, this, slot);
    };
    add(QStringLiteral("|◀"), QStringLiteral("Erster Datensatz"), [this] { gehe(0); });
    add(QStringLiteral("◀"), QStringLiteral("Vorheriger Datensatz"), [this] { gehe(aktuelleZeile() - 1); });
    add(QStringLiteral("▶"), QStringLiteral("Nächster Datensatz"), [this] { gehe(aktuelleZeile() + 1); });
    add(QStringLiteral("▶|"), QStringLiteral("Letzter Datensatz"), [this] { gehe(model_->rowCount() - 1); });
    add(QStringLiteral("+"), QStringLiteral("Datensatz einfügen"), [this] { einfuegen(); });
    add(QStringLiteral("−"), QStringLiteral("Datensatz löschen"), [this] { loeschen(); });
    add(QStringLiteral("✓"), QStringLiteral("Daten speichern"), [this] { speichern(); });
    add(QStringLiteral("✗"), QStringLiteral("Änderungen verwerfen"), [this] { verwerfen(); });
    layout->addStretch();

    // Leaving a changed row posts it, as the grid of a table does.
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& aktuell, const QModelIndex& vorher) {
                if (vorher.isValid() && bearbeitungUebernehmen)
                    bearbeitungUebernehmen();
                if (vorher.isValid() && model_->isDirty(vorher))
                    speichern();
                emit zeileGewechselt(aktuell.row());
            });
}

QToolButton* Datensatznavigator::knopf(const QString& text, const QString& hinweis)
{
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setToolTip(hinweis);
    b->setAccessibleName(hinweis);
    b->setMinimumWidth(28);
    return b;
}

int Datensatznavigator::aktuelleZeile() const
{
    return view_->currentIndex().row();
}

void Datensatznavigator::gehe(int zeile)
{
    if (model_->rowCount() == 0)
        return;
    zeile = qBound(0, zeile, model_->rowCount() - 1);
    const int spalte = qMax(0, view_->currentIndex().column());
    view_->setCurrentIndex(model_->index(zeile, spalte));
}

bool Datensatznavigator::fehlschlag(const QString& was)
{
    letzterFehler_ = model_->lastError().text();
    QMessageBox::warning(this, window()->windowTitle(), was + QStringLiteral("\n") + letzterFehler_);
    return false;
}

bool Datensatznavigator::einfuegen()
{
    if (!speichern())
        return false;
    const int zeile = model_->rowCount();
    if (!model_->insertRow(zeile))
        return fehlschlag(QStringLiteral("Der Datensatz konnte nicht eingefügt werden."));
    gehe(zeile);
    return true;
}

bool Datensatznavigator::loeschen()
{
    const int zeile = aktuelleZeile();
    if (zeile < 0)
        return false;
    if (bestaetigen
        && QMessageBox::question(this, window()->windowTitle(), QStringLiteral("Datensatz löschen?"),
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) != QMessageBox::Ok)
        return false;
    if (!model_->removeRow(zeile) || !model_->submitAll()) {
        model_->revertAll();
        return fehlschlag(QStringLiteral("Der Datensatz konnte nicht gelöscht werden."));
    }
    model_->select();
    gehe(zeile);
    letzterFehler_.clear();
    return true;
}

// A cell still in its editor belongs to the row that is posted.
void Datensatznavigator::bearbeitungAbschliessen()
{
    QWidget* editor = QApplication::focusWidget();
    if (editor && editor->parentWidget() == view_->viewport()) {
        emit view_->itemDelegate()->commitData(editor);
        emit view_->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    if (bearbeitungUebernehmen)
        bearbeitungUebernehmen();
}

bool Datensatznavigator::speichern()
{
    bearbeitungAbschliessen();
    if (!model_->isDirty())
        return true;
    if (!model_->submitAll())
        return fehlschlag(QStringLiteral("Der Datensatz konnte nicht gespeichert werden."));
    letzterFehler_.clear();
    return true;
}

void Datensatznavigator::verwerfen()
{
    const int zeile = aktuelleZeile();
    model_->revertAll();
    gehe(zeile);
}
