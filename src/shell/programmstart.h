#pragma once
// The start-up and end of the program without any window, shared by the main window and the
// unattended start, so both bring up the store, the settings and the connection in one order:
//
//   Programmstart start(kommandozeile, feedback);   // PfadeSetzen; registry configuration
//   start.lokalStarten();          // structure check, EinstellungenLaden, local database DateV
//   start.warenwirtschaftStarten(connection);        // product, client and connection
//   ... the journal view opens (windowed program only) ...
//   start.unbeaufsichtigtAusfuehren(connection);     // -IN / -AUS / -INAUS
//   start.beenden();               // EinstellungenSpeichern, local database closed
//
// Each step returns false when it failed; the reason went to the feedback. fehlerfrei() is
// false once any step failed. The settings are written at the end only when they were read, so
// a start stopped by the structure check does not overwrite QemDatev.ini with defaults.
// The connection belongs to the caller (the main window, or the unattended start).

#include "shell/kommandozeile.h"

#include <functional>

class Feedback;
class TQemConnection;

class Programmstart {
public:
    // The steps that live in other areas; tests replace them.
    struct Schritte {
        std::function<bool(TQemConnection&, Feedback&)> warenwirtschaft;
        std::function<bool(TQemConnection&, Feedback&)> import;
        std::function<bool(TQemConnection&, Feedback&)> ausgabe;
        // The areas' own entry points.
        static Schritte standard();
    };

    Programmstart(const Kommandozeile& kommandozeile, Feedback& feedback,
                  Schritte schritte = Schritte::standard());
    ~Programmstart();
    Programmstart(const Programmstart&) = delete;
    Programmstart& operator=(const Programmstart&) = delete;

    // False when the program must end: the structure check asked for it, or the local
    // database could not be opened.
    bool lokalStarten();
    // False when the merchandise-management database cannot be reached (window tag -99).
    bool warenwirtschaftStarten(TQemConnection& verbindung);
    // The import of the last 30 days and/or the DATEV export the command line asks for; true
    // when every step succeeded (also when the command line asks for none).
    bool unbeaufsichtigtAusfuehren(TQemConnection& verbindung);
    // Writes the settings (when they were read) and closes the local database; false when the
    // settings could not be written. Runs once; later calls do nothing.
    bool beenden();

    const Kommandozeile& kommandozeile() const { return kommandozeile_; }
    bool einstellungenGeladen() const { return einstellungenGeladen_; }
    bool fehlerfrei() const { return fehlerfrei_; }

private:
    bool fehlschlag(const QString& meldung);

    Kommandozeile kommandozeile_;
    Feedback& feedback_;
    Schritte schritte_;
    bool einstellungenGeladen_ = false;
    bool beendet_ = false;
    bool fehlerfrei_ = true;
};
