#pragma once
// Cell editor of number columns in the small table dialogs: an edit that takes digits only
// (account numbers, VAT codes) or a decimal in German or plain form ("19,5", "19.5"); an empty
// cell is stored as NULL. Other columns get the ordinary editor.
//
// setzeGanzzahl(column) / setzeDezimal(column) for the model columns it applies to.

#include <QSet>
#include <QStyledItemDelegate>

class ZahlenDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void setzeGanzzahl(int spalte) { ganz_.insert(spalte); }
    void setzeDezimal(int spalte) { dezimal_.insert(spalte); }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // The value stored for an edit text of a number column.
    static QVariant wertAusText(const QString& text, bool dezimal);

private:
    bool zahl(int spalte) const { return ganz_.contains(spalte) || dezimal_.contains(spalte); }

    QSet<int> ganz_;
    QSet<int> dezimal_;
};
