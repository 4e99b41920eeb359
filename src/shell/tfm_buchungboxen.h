#pragma once
// Feedback of the journal view and its dialogs as modal message boxes: questions with
// "Ja"/"Nein", or "OK"/"Abbrechen" for the confirmations of TFM_BuchungLogic (FrageVorgang,
// FrageExportLoeschen); "\r" in the texts becomes a line break.

#include "store/feedback.h"

class QWidget;

class TFM_BuchungBoxen : public Feedback {
public:
    explicit TFM_BuchungBoxen(QWidget* parent) : parent_(parent) {}

    void message(const QString& text, MessageKind kind = MessageKind::Information) override;
    bool ask(const QString& question, bool defaultAnswer) override;

private:
    QWidget* parent_;
};
