#pragma once
// An INI file with the semantics of Windows profile files: "[Section]" lines, "Key=Value"
// lines; the key ends at the first "=", key and value are trimmed, the value is taken as it
// stands (commas, further "=", quotes and umlauts are plain text; there is no list or escape
// syntax). Sections and keys are found without regard to case; lines that are neither are
// kept but ignored. Reading: UTF-8, or Windows-1252 when the file is not valid UTF-8.
// Writing: UTF-8 without byte-order mark, CR LF line ends, replacing the file atomically;
// existing lines and sections stay in place, new keys are appended to their section.
//
// Use: IniDatei ini(path); ini.laden(); ini.sektion("X") / ini.setzen("X", "K", "V"); ini.speichern().

#include <QString>
#include <QStringList>

class IniDatei {
public:
    explicit IniDatei(const QString& pfad);

    // false when the file is missing or unreadable (the object then is empty).
    bool laden();
    // Replaces the content by a text (for example a memo holding an INI text).
    void setzenText(const QString& text);
    bool speichern() const;

    // The "Key=Value" lines of a section (trimmed, in file order), for the list readers.
    QStringList sektion(const QString& section) const;
    // null when absent.
    QString wert(const QString& section, const QString& key) const;
    // Line breaks in value are written as blanks (a profile value is one line).
    void setzen(const QString& section, const QString& key, const QString& value);

    QString pfad() const { return pfad_; }
    QString text() const;

private:
    int sektionsZeile(const QString& section) const;
    QString pfad_;
    QStringList zeilen_;
};
