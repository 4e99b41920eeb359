#pragma once
// The program's command line: an optional first parameter naming a registry configuration below
// the product key (for example "Filiale2"), and the options "-IN", "-AUS", "-INAUS" in any case.
//
// Kommandozeile::auswerten(parameters without the program name) once at start; the result is
// read by the start-up (which run to do unattended) and by the product selection (konfiguration).

#include <QString>
#include <QStringList>

class Kommandozeile {
public:
    enum class Lauf { Keiner, Import, Export, ImportExport, Unbekannt };

    static Kommandozeile auswerten(const QStringList& parameter);

    // Registry configuration below the product key, untrimmed; empty when none was named.
    QString konfiguration() const { return konfiguration_; }
    Lauf lauf() const { return lauf_; }
    // The option as given (for the message on an unknown option); empty when none.
    QString option() const { return option_; }
    // Window tag 1: the command line asks for an unattended run (also with an unknown option).
    bool unbeaufsichtigt() const { return lauf_ != Lauf::Keiner; }
    bool mitImport() const { return lauf_ == Lauf::Import || lauf_ == Lauf::ImportExport; }
    bool mitExport() const { return lauf_ == Lauf::Export || lauf_ == Lauf::ImportExport; }

private:
    QString konfiguration_;
    QString option_;
    Lauf lauf_ = Lauf::Keiner;
};
