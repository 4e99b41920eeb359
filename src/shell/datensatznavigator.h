#pragma once
// The record navigator of the small table dialogs (VAT accounts, account translator): first,
// previous, next, last, insert, delete, post and cancel over a QSqlTableModel shown in a view.
//
// The model is set to OnRowChange: a row is posted when the user leaves it, with "Speichern",
// and by speichern() when the dialog closes; a post the database rejects is reported in a
// message box and the row stays changed. Neither model nor view is owned.
//
// Call sequence: Datensatznavigator nav(model, view, parent); ...; if (!nav.speichern()) keep
// the dialog open. bestaetigen (default true) asks "Datensatz löschen?" before deleting.

#include <QWidget>

#include <functional>

class QAbstractItemView;
class QSqlTableModel;
class QToolButton;

class Datensatznavigator : public QWidget {
    Q_OBJECT
public:
    Datensatznavigator(QSqlTableModel* model, QAbstractItemView* view, QWidget* parent = nullptr);

    int aktuelleZeile() const;
    void gehe(int zeile);
    // Appends an empty row and makes it current; false when the pending row could not be posted.
    bool einfuegen();
    // Deletes the current row; false when nothing was deleted.
    bool loeschen();
    // Posts every pending change; false (after a message) when the database rejected one.
    bool speichern();
    void verwerfen();

    bool bestaetigen = true;
    // Called before a row is posted or left: edit fields beside the grid hand their text to the
    // model here (QDataWidgetMapper::submit).
    std::function<void()> bearbeitungUebernehmen;
    // The last database error of a post or delete (empty after a success).
    QString letzterFehler() const { return letzterFehler_; }

signals:
    void zeileGewechselt(int zeile);

private:
    QToolButton* knopf(const QString& text, const QString& hinweis);
    bool fehlschlag(const QString& was);
    void bearbeitungAbschliessen();

    QSqlTableModel* model_;
    QAbstractItemView* view_;
    QString letzterFehler_;
};
