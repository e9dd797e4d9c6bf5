#pragma once
// Merging a formula file into the document: the routine behind template
// insertion and "cfd-Datei einfügen". The file's records are appended to
// temp.dat unchanged and become the selection, framed and ready to be moved
// with the selection tool.
//
// The whole file is read first. A file that is missing or cannot be read
// gives "Die Datei konnte nicht geöffnet werden." and changes nothing. No
// undo snapshot is taken and Modified is not touched.

#include "editor/editor.h"

#include <string>
#include <vector>

namespace veltrano {

// The drawing image I1 ignores the pointer from the start of a merge until
// the Twiederan tick (200 ms) enables it again, also after a file that held
// no records. The selection marks are cleared and every appended record is
// marked (there is no limit on their number); SelRect becomes the box of
// the rounded first points and of the second points of bonds,
// widened by 5 pixels, where a bound of 0 counts as not yet set. Then the
// page is repainted, the frame drawn, "Löschen" and "Kopieren" enabled, and
// the selection tool SpeedButton67 shown pressed and clicked. A failed
// append throws IoError.
//
// A file that cannot be read is reported by the sentence alone where the
// user has just chosen it, and with its path on a second line where the
// user never sees its name (a template). With FileCheck::AskWhenDoubtful a
// file that does not look like a drawing is merged only when the user
// chooses "Trotzdem öffnen"; before that nothing changes.
enum class UnreadableReport { Sentence, SentenceAndPath };
enum class FileCheck { None, AskWhenDoubtful };
void mergeFormulaFile(Editor& editor, const std::string& path,
                      UnreadableReport report = UnreadableReport::Sentence, FileCheck check = FileCheck::None);

// The merge of records that come from memory (a structure imported from a
// MOL file or SMILES) rather than from a file: the same as above from the
// disabled drawing image on.
void mergeRecords(Editor& editor, const std::vector<ElementRecord>& records);

// The Twiederan tick: I1 accepts the pointer again; the timer stops.
void TwiederanTimer(Editor& editor);

// "cfd-Datei einfügen": the open dialog for formula files in LastDir, then
// the merge of the chosen file, asking when it does not look like a
// drawing; a cancelled dialog does nothing.
void Importieren1Click(Editor& editor);

}  // namespace veltrano
