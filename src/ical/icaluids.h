#pragma once
// The UIDs of imported events, kept beside the reminder folder so that a second import
// of the same event updates its reminder instead of adding another, and an export gives
// the event its UID back. One "UID<TAB>reminder file name" line each; the reminder files
// themselves are not changed.

#include <QHash>
#include <QString>

struct TUidsImportados {
    QHash<QString, QString> aArchivoPorUid; // UID -> reminder file name (no folder)
};

// "icalendar-uids" in the user's Kestrin folder (the one above the reminder folder).
QString Archivo_Uids(const QString &rsCarpetaKestrin);
// A missing or unreadable file gives an empty table.
TUidsImportados Leer_Uids(const QString &rsArchivo);
bool Grabar_Uids(const QString &rsArchivo, const TUidsImportados &rUids, QString *fsError = nullptr);
// File name -> UID, for the export.
QHash<QString, QString> Uids_Por_Archivo(const TUidsImportados &rUids);
