#pragma once
// The values the export dialog starts with and keeps: general settings (QemDatev.ini) and the
// registry section TVK_Export, read in the dialog's order, registry last (it wins).
//
// laden(): what FormShow puts into the controls; speichern(): what FormClose stores;
// inOptionen(): the run's options from the shown values (dates and page values added by the
// caller). The settings object is einstellungen(); the registry is the current program key.

#include "export/exportoptionen.h"

#include <QDate>
#include <QString>

inline const QString kSektionExport = QStringLiteral("TVK_Export");
inline const QString kVerzeichnisLeer = QStringLiteral("...");

struct ExportEinstellungen {
    QDate von;
    QDate bis;
    QString verzeichnis = kVerzeichnisLeer;  // caption of Verz
    QString dfv, datenNr, abrechNr, beraterNr, mandantNr, beraterName;
    QString filter;
    bool nurNeue = true;
    bool mitKonten = false;
    bool eigeneBeschriftung = false;
    QString vorlage;
    bool obe = false;
    bool obeMoeglich = true;  // CB_OBE enabled: only with personal accounts of 5 digits

    static ExportEinstellungen laden(const QDate& heute = QDate::currentDate());
    void speichern() const;
    // The DATEV texts of the dialog into the settings (first step of the DATEV export).
    void texteUebernehmen() const;
    ExportOptionen inOptionen() const;
};

// DateV_Abrechnr after a DATEV export: the number in AbrechNr plus one.
QString naechsteAbrechnungsnummer(const QString& abrechNr);
