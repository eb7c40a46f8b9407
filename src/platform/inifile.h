#pragma once
// The settings file: an INI file whose values sit in its [General] group, one
// Key=Value line each, every value stored as text. Each call reads the file afresh, so a
// value read back is what the disk holds, never a cached copy. Key names are matched
// without regard to case, as registry value names are.
//
// Values are written so that any text reads back the same: a backslash, CR and LF are
// escaped ("\\", "\r", "\n"), and a value with blanks at either end or a leading double
// quote is written between double quotes.

#include <QString>

enum class IniRead {
    Value,    // the key exists; its text is in fsValue
    Missing,  // the file was read but holds no such key
    NoFile,   // the file does not exist or cannot be read
    NotText,  // the key exists but its value is not valid UTF-8 text
};

IniRead Ini_Read(const QString &rsFile, const QString &rsKey, QString &fsValue);
// Sets the key, creating the folder and file when missing; the file is replaced
// atomically. False when the file could not be read or written.
bool Ini_Write(const QString &rsFile, const QString &rsKey, const QString &rsValue);
// Removes every line of the key. True when the key is no longer in the file (also
// when there was no file).
bool Ini_Delete(const QString &rsFile, const QString &rsKey);
