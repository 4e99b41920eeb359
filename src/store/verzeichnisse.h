#pragma once
// Directory helpers. Directories are written with '/' and may or may not end in '/'.

#include <QString>

// Creates the directory (one level); every error is ignored.
void VerzeichnisAnlegen(const QString& dir);
// Creates dir/DIRTST.TST, writes one byte, closes and deletes it; false on any error.
bool VerzeichnisTest(const QString& dir);
// Deletes every file of dir (making it writable first), then removes dir; subdirectories are
// left, so a dir holding one is kept. Errors are ignored.
void VerzeichnisLoeschen(const QString& dir);
