#pragma once
// The unattended start (-IN, -AUS, -INAUS) without any window system: the start-up of the
// windowed program, then the import of the last 30 days and/or the DATEV export, then the
// settings written; every message on the console feedback, nothing asked.
//
// Returns the exit status: 0 when every step succeeded and no error was reported, 1 otherwise.
// The connection to the merchandise-management database lives for the run inside this call.

#include "shell/programmstart.h"

class KonsolenFeedback;

int unbeaufsichtigtStarten(const Kommandozeile& kommandozeile, KonsolenFeedback& feedback,
                           Programmstart::Schritte schritte = Programmstart::Schritte::standard());
