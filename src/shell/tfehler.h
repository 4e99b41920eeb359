#pragma once
// The message list window "Hinweisfenster": the lines a run collected ("Liste der aufgetretenen
// Fehler"), closed with "&Schließen", printed with the action "Drucken".
//
// One instance for the whole program run (the main window owns it). A run calls neuerLauf() with
// its headline (the imports: "Daten-Import:"), appends one line per problem and shows the window
// at its end when it appended any. Runs normally reach it through WidgetFeedback.

#include <QStringList>
#include <QWidget>

class QAction;
class QPlainTextEdit;
class QPrinter;

class TFehler : public QWidget {
    Q_OBJECT
public:
    explicit TFehler(QWidget* parent = nullptr);

    // Empties the list and starts it with the headline and an underline.
    void neuerLauf(const QString& ueberschrift);
    void zeileAnhaengen(const QString& zeile);
    QStringList zeilen() const;
    // The lines as printed: each preceded by 5 blanks, in order.
    QStringList druckzeilen() const;
    // Prints the list on the printer in the list's font, page after page.
    void drucken(QPrinter& drucker) const;

    QAction* druckenAction() const { return drucken_; }

public slots:
    // "Drucken": the print dialog, then the list on the chosen printer.
    void druckenMitDialog();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* error_;
    QAction* drucken_;
};
