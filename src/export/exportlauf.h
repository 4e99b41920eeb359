#pragma once
// The export run behind the Export button (OKBtnClick) and the unattended -AUS start.
//
// datev(): copies the dialog's DATEV texts into the settings, runs the chosen format (OBE when
// CB_OBE is checked, else KNE when CB_KNE is, else EXTF) and sets DateV_Abrechnr to AbrechNr
// plus one, whether the writer succeeded or not. ascii(): the plain text export into a file.
// Errors that escape a writer (a file that cannot be created) are reported here with the
// error's text and make the result false.
//
// The OBE (DateV_Export) and KNE (DateV_KNE_Export) writers are not built yet: their entry
// points report "not available" and return false.

#include "export/exporteinstellungen.h"
#include "export/exportoptionen.h"

#include <QSqlDatabase>
#include <QString>

class Feedback;
class TQemConnection;

inline const QString kObeNichtVerfuegbar =
    QStringLiteral("Der Export im OBE-Format ist in dieser Version nicht verfügbar.");
inline const QString kKneNichtVerfuegbar =
    QStringLiteral("Der Export im KNE-Format ist in dieser Version nicht verfügbar.");

class ExportLauf {
public:
    ExportLauf(TQemConnection& wawi, const QSqlDatabase& journal, Feedback& feedback);

    // werte: what the dialog shows; optionen: the run's options built from them.
    bool datev(const ExportEinstellungen& werte, const ExportOptionen& optionen);
    bool ascii(const ExportOptionen& optionen, const QString& pfad, const QString& trennzeichen);

    // Writers of the older fixed-record formats (OBE DV01/DE001, KNE EV01/ED00001).
    bool DateV_Export(const ExportOptionen& optionen);
    bool DateV_KNE_Export(const ExportOptionen& optionen);

private:
    TQemConnection& wawi_;
    QSqlDatabase journal_;
    Feedback& feedback_;
};
