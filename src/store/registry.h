#pragma once
// String values below the current registry key, which is "Software\Qem-Software\DateV" except
// while a RegistryWechsel scope is alive (the product change switches to the product's key).
// Key paths are written as on Windows, with backslashes.
//
// Back end: QSettings. On Windows the native registry below HKEY_LOCAL_MACHINE; elsewhere an
// INI file with the same key paths: QEM_REGISTRY when set, else "QemDateV-registry.ini" in
// the user's configuration directory.

#include <QString>

inline const QString ProgrammRegistrySchluessel = QStringLiteral("Software\\Qem-Software\\DateV");

QString AktuellerRegistrySchluessel();
// The file behind the registry where it is a file (empty on Windows).
QString RegistryDatei();

// Sets the current key for its lifetime and restores the previous one on every path.
class RegistryWechsel {
public:
    explicit RegistryWechsel(const QString& schluessel);
    ~RegistryWechsel();
    RegistryWechsel(const RegistryWechsel&) = delete;
    RegistryWechsel& operator=(const RegistryWechsel&) = delete;

private:
    QString vorher_;
};

// Writes the value into current key + "\" + subKey (created when needed); false when the
// store cannot be written.
bool RegSchreiben(const QString& subKey, const QString& name, const QString& value);
// The value, or an empty text when the key or value is missing.
QString RegLesen(const QString& subKey, const QString& name);
// RegSchreiben / RegLesen with subKey "Einstellungen\" + section.
bool EinstellungSchreiben(const QString& section, const QString& name, const QString& value);
QString EinstellungLesen(const QString& section, const QString& name);
// EinstellungLesen; the default when the value is empty after trimming.
QString EinstellungLesenVorgabe(const QString& section, const QString& name, const QString& vorgabe);
