#pragma once

#include "entrywriter.h"
#include "importmap.h"
#include "textfile.h"

#include <QString>
#include <optional>

// Reading a dictionary kept in the standard format of field lexicographers' databases
// with the MDF marker set: records of fields, each field a line beginning with a marker
// ("\lx", "\ge", ...) and its value, which runs on over the following lines that do not
// begin with a backslash. A record begins at the record marker. The fields before the
// first record (a name, a version, authors, ...) are what the file says about itself:
// each value becomes a line of the about source, except the format line "\_sh". Other
// header lines (markers beginning with "\_") are skipped. A sense-number field's value
// is the sense's number. Fields after a sub-entry marker belong to the
// sub-entry, up to the next sub-entry or record. A part-of-speech field after glosses,
// definitions or examples, and a sense-number field after them, begin a new sense; a
// new sense keeps the part of speech of the one before.
//
// Markers the map does not name are left out, each reported once where it first stands.
//
// Each record goes to the entry writer as soon as it is read, so that only the records of
// one record marker are ever held.
ImportResult importMdf(const QString &text, const QString &fileName, const ImportMap &map);

// The same for the file at `path`, read and decoded as the text reader does it
// (textfile.h), a piece of whole lines at a time, so that its text is never held at once.
// When the file cannot be read or is not clean text, `report` says why and the result is
// unusable without a diagnostic of its own. A piece is at least `pieceSize` bytes.
ImportResult importMdfFile(const QString &path, const ImportMap &map, TextEncoding encoding,
                           TextReadReport *report, int pieceSize = 1 << 20);
