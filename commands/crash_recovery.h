#pragma once
// Recovering the drawing of an editor that did not end cleanly.
//
// The only copy of an unsaved drawing is temp.dat in the WorkDir. A clean
// exit releases the WorkDir's lock (and the user has been asked before an
// unsaved drawing was dropped); an editor that crashed, was killed or lost
// its power leaves the lock behind. So the start that takes over such a
// stale lock looks at the temp.dat it finds:
//
// - It is the unsaved drawing when it holds at least one whole record and
//   differs from what was last saved or opened. That is known from the mark
//   file "gesichert.dat" beside it, written whenever temp.dat became equal
//   to a file the user keeps (saved, saved as, opened): the number of
//   whole records of temp.dat and their SHA-256 at that moment. A missing or unreadable mark counts
//   as "not saved", so in doubt the user is asked.
// - The user is asked whether to restore it. "&Ja": it becomes the untitled,
//   modified document. "&Nein": it is kept once as
//   "wiederherstellung-JJJJ-MM-TT-hhmmss.dat" in the WorkDir, and start-up
//   empties temp.dat as usual. If that copy cannot be written, the drawing
//   is restored instead, so nothing is lost.
//
// Every start also removes the scratch files a crash or a failed rewrite
// can leave in the WorkDir (temp2.dat, ttemp.dat, kopie1.dat, the partial
// files "*.part<digits>"), so a full disk gets its space back, and the partial
// file of a save that a crash interrupted, beside the saved file, as the
// note "speichern.txt" in the WorkDir names it.

#include "editor/editor.h"

#include <QDateTime>

#include <cstdint>
#include <string>

namespace veltrano {

inline constexpr const char* kSavedMarkName = "gesichert.dat";

// The question asked before restoring a drawing of count records.
std::string recoveryQuestion(std::uint32_t count);

// The name under which a declined drawing is kept, e.g.
// "wiederherstellung-2026-12-08-143012.dat"; a second one of the same
// second gets "-2", and so on.
std::string recoveryFileName(const QDateTime& when, int number = 1);

// Removes the scratch files of an earlier run from the WorkDir; failures are
// ignored (the files are rewritten before any later use).
void removeScratchFiles(Editor& editor);

// Records that temp.dat now equals a file the user keeps. Best effort: a
// mark that cannot be written only makes a later recovery ask once more.
void noteDocumentSaved(Editor& editor);
// The same when temp.dat was just loaded from these records: the file is
// not read again.
void noteDocumentSaved(Editor& editor, const std::vector<ElementRecord>& records);

// Whole records of temp.dat that were never saved: 0 when temp.dat is
// missing, unreadable, empty or equal to what the mark describes.
std::uint32_t unsavedRecordCount(Editor& editor);

// Offers the unsaved drawing of a crashed run. True when temp.dat was kept
// as the (untitled, modified) document; false when start-up should empty
// it, a declined drawing having been kept under a dated name first.
bool offerRecovery(Editor& editor, const QDateTime& now = QDateTime::currentDateTime());

}  // namespace veltrano
