#pragma once
// Filter dialog "Datenfilter festlegen" of the export: a multi-line field for the filter
// expression, "OK" and "Abbrechen". The caller puts its expression in, shows the dialog and
// takes the text afterwards; Bearbeiten() does all of it and gives the old expression back
// when the user aborts, so an abort never changes the filter.

#include <QDialog>

class QPlainTextEdit;

class TFM_Filter : public QDialog {
    Q_OBJECT
public:
    explicit TFM_Filter(QWidget* parent = nullptr);

    void setText(const QString& expression);
    QString text() const;
    QPlainTextEdit* editor() const { return edit_; }

    // Modal: the edited expression after "OK", `expression` unchanged after "Abbrechen".
    static QString Bearbeiten(QWidget* parent, const QString& expression);

private:
    QPlainTextEdit* edit_;
};
