#include "shell/zahlendelegate.h"

#include "store/zahlen.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

QWidget* ZahlenDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    if (!zahl(index.column()))
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    const QString muster = dezimal_.contains(index.column()) ? QStringLiteral("-?\\d{0,9}([.,]\\d{0,4})?")
                                                             : QStringLiteral("\\d{0,9}");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(muster), edit));
    return edit;
}

void ZahlenDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit || !zahl(index.column())) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const QVariant wert = index.data(Qt::EditRole);
    QString text = wert.isNull() ? QString() : wert.toString();
    if (dezimal_.contains(index.column()))
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    edit->setText(text);
}

void ZahlenDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit || !zahl(index.column())) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    model->setData(index, wertAusText(edit->text(), dezimal_.contains(index.column())), Qt::EditRole);
}

QVariant ZahlenDelegate::wertAusText(const QString& text, bool dezimal)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QVariant();
    if (dezimal)
        return TextZuZahl(t);
    return t.toLongLong();
}
