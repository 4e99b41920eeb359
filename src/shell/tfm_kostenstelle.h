#pragma once
// Cost-centre dialog "DateV Kostenstellen hinterlegen": the fixed first and second cost centre
// of the DATEV exports (DateV_Kostenstelle1/2 of the settings). Shows the settings when
// constructed; "OK" stores both texts exactly as typed (blanks kept) and closes, "Abbrechen"
// closes without changes. The settings reach QemDatev.ini at program end.

#include <QDialog>

class QLineEdit;

class TFM_Kostenstelle : public QDialog {
    Q_OBJECT
public:
    explicit TFM_Kostenstelle(QWidget* parent = nullptr);

    QLineEdit* kostenstelle1() const { return edit1_; }
    QLineEdit* kostenstelle2() const { return edit2_; }

    void FormShow();
    void BitBtn1Click();

private:
    QLineEdit* edit1_;
    QLineEdit* edit2_;
};
