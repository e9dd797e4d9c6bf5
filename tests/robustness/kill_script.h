#pragma once
// The session that the kill test interrupts: an editor started as the
// program starts (WorkDir lock, start state, working document, the
// document named on the command line, the first showing), then an endless
// round of gestures and commands through the real handlers: a rectangle
// selection, a drag of the selection, "Kopieren", "Einfügen", a drag of the
// pasted records and a save ("Speichern" or "Speichern unter"). Each step
// is one handler call, so every step replaces temp.dat at most once.
//
// The session is deterministic: the same start document gives the same
// files after every step. The kill driver runs it in a child process; the
// test runs it once more in its own process to know every file a killed
// child may leave.

#include "editor/editor.h"
#include "document/work_dir.h"
#include "support/fake_ui_port.h"

#include <optional>
#include <string>

namespace veltrano::test {

class KillSession {
public:
    // The document the session opens from the command line, in the
    // document folder.
    static constexpr const char* kStartDocument = "start.cfd";
    static constexpr int kStepsPerRound = 13;

    // workBase is the WorkDir start-up locks; documents are saved into
    // documentFolder; every file operation goes through fs. Touches no file.
    KillSession(FileSystem& fs, std::string workBase, std::string documentFolder);

    // Step 0 is the start-up; every later step one handler call.
    void runStep(int step);
    // "start", "select", "drag", "copy", "paste" or "save".
    static const char* stepKind(int step);

    Editor& editor() { return *m_editor; }
    FakeUiPort& ui() { return m_ui; }

private:
    void startUp();
    void saveStep(int round);

    FileSystem& m_fs;
    std::string m_base;
    std::string m_folder;
    FakeUiPort m_ui;
    std::optional<WorkDirLock> m_lock;
    std::optional<Editor> m_editor;
};

}  // namespace veltrano::test
