#pragma once
// What an export run takes from the export dialog and the settings: one plain value object,
// filled by TExport_Form (or the unattended start) and read by the writers.

#include <QDate>
#include <QDateTime>
#include <QString>

#include "store/feedback.h"

struct ExportOptionen {
    // Page "DateV Export".
    QDate von;
    QDate bis;
    int startMonat = 1;           // SE_StartJahr
    bool nurNeue = true;          // CB_nBuchungen
    QString filter;               // the dialog's Filter
    QString beraterNr;            // BeraterNr as typed
    QString mandantNr;            // MandantNr as typed
    bool mitKonten = false;       // RB_KontenDepKred
    bool eigeneBeschriftung = false;  // RB_eigenBuchungsText
    QString vorlage;              // ED_Text
    QString verzeichnis;          // caption of Verz
    bool obe = false;             // CB_OBE
    bool kne = false;             // CB_KNE
    QString abrechNr;             // AbrechNr as typed
    QString dfv;                  // DFV_Kenn
    QString datenNr;              // DatenNr
    QString beraterName;          // BeraterName
    QString passwort;             // Ed_Passwort

    // Settings the writers use.
    QString kostenstelle1;        // DateV_Kostenstelle1
    QString kostenstelle2;        // DateV_Kostenstelle2
    int adresskontn = 5;
    int aktivMandant = 0;

    // Unattended flag (Tag 1): suppresses the messages the dialog would show.
    bool unbeaufsichtigt = false;

    // Header values; empty means "now" and the login name of the user.
    QDateTime erstellt;
    QString benutzer;
};

// The login name of the current user (USER, USERNAME or LOGNAME, else the name of the account).
QString exportBenutzername();

// A message of the export: a message box in the windowed program; in the unattended run a
// line of the message list instead (the run shows no boxes).
void exportMelden(const ExportOptionen& optionen, Feedback& feedback, const QString& text,
                  MessageKind kind = MessageKind::Information);
// A message shown also in the unattended run.
void exportImmerMelden(Feedback& feedback, const QString& text, MessageKind kind = MessageKind::Error);
