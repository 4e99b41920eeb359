#pragma once
// The DATEV EXTF export: the label file EXTF_Sachkontobeschriftungen.csv (when the personal
// accounts are to go with the bookings) and the booking batch EXTF_Buchungsstapel.csv, the
// bookings marked as exported.
//
// Call sequence: ExtfExport run(journal, wawi, optionen, feedback); run.DateV_EXTF_Export().
// The two bodies can be run on any device (tests): write the header line, then
// DateV_EXTF_Konten(writer) or DateV_EXTF_Buchungen(device, writer).
// Orders are fetched in blocks of 8,000 bookings and marks committed every 10,000 bookings,
// each time after the file was flushed: after a failure the marked bookings are exactly those
// whose lines are in the file, and a half-written line is cut off again.
// Progress and the three status lines go to feedback; messages as the export dialog shows
// them, suppressed in the unattended run except the "(Konten)" error.

#include "export/exportoptionen.h"
#include "export/extfformat.h"

#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>

#include <memory>

class AnsiTextWriter;
class Feedback;
class QIODevice;
class QSqlRecord;
class StatusZeilen;
class WaWiNachschlag;

inline const QString kExportFehler = QStringLiteral("Während des Exports ist ein Fehler aufgetreten!\r");
inline const QString kExportErfolg = QStringLiteral("Der DateV-Export war erfolgreich!");
inline const QString kFilterNichtAnwendbar = QStringLiteral("Filter ist nicht anwendbar!");
inline const QString kKeinZugriffAdressen = QStringLiteral("Keinen Zugriff auf die Warenwirtschafsadressen!\r");
inline const QString kDateiBuchungen = QStringLiteral("EXTF_Buchungsstapel.csv");
inline const QString kDateiKonten = QStringLiteral("EXTF_Sachkontobeschriftungen.csv");

// Time the booking loop spent per phase, in nanoseconds: reading the journal, looking up the
// orders, building and writing the lines, committing the marks (with the flush before).
struct ExtfPhasen {
    qint64 lesen = 0;
    qint64 auftraege = 0;
    qint64 zeilen = 0;
    qint64 marken = 0;
};

class ExtfExport {
public:
    ExtfExport(const QSqlDatabase& journal, WaWiNachschlag& wawi, const ExportOptionen& optionen,
               Feedback& feedback);
    ~ExtfExport();
    ExtfExport(const ExtfExport&) = delete;
    ExtfExport& operator=(const ExtfExport&) = delete;

    // The whole run. True when both files were written completely; a failure to create a
    // file throws ExportError (the caller's general error report).
    bool DateV_EXTF_Export();
    // Column line and account lines. Throws on error; the caller reports "(Konten)".
    void DateV_EXTF_Konten(AnsiTextWriter& out);
    // Column line, booking lines and marks; reports success or "(Buchungen)"; true on success.
    bool DateV_EXTF_Buchungen(QIODevice& datei, AnsiTextWriter& out);

    ExtfKopf kopf() const;
    // The file being written (the dialog's FileName).
    QString fileName() const { return fileName_; }
    qint64 buchungenGeschrieben() const { return geschrieben_; }
    const ExtfPhasen& phasen() const { return phasen_; }

private:
    bool kontenDatei(const QString& pfad);
    bool buchungsDatei(const QString& pfad);
    QList<qint64> konten(const QString& sql);
    void kontenPass(AnsiTextWriter& out, const QList<qint64>& konten, QSet<qint64>& erledigt,
                    bool zweiterPass);
    QString beschriftung(const QSqlRecord& adresse) const;

    QSqlDatabase journal_;
    WaWiNachschlag& wawi_;
    ExportOptionen opt_;
    Feedback& feedback_;
    std::unique_ptr<StatusZeilen> status_;
    QString fileName_;
    qint64 geschrieben_ = 0;
    bool indexGeprueft_ = false;
    ExtfPhasen phasen_;
};
