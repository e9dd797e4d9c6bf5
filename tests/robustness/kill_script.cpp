#include "kill_script.h"

#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "commands/startup.h"
#include "document/folder_path.h"
#include "editor/palette.h"
#include "editor/pointer.h"

#include <utility>

namespace veltrano::test {

namespace {

// The rectangle of a round's selection: the upper left quarter and the
// lower right part of the page in turn, so that a new rectangle never
// starts inside the records pasted by the round before. A quarter of the
// drawing makes a paste of thousands of records.
struct Area {
    int x1, y1, x2, y2;
};

Area areaOf(int round)
{
    return round % 2 == 0 ? Area{40, 40, 600, 520} : Area{700, 600, 1150, 950};
}

// Inside the selection: its middle.
int middleX(const SelectionRect& r)
{
    return (r.SelX1 + r.SelX2) / 2;
}

int middleY(const SelectionRect& r)
{
    return (r.SelY1 + r.SelY2) / 2;
}

}  // namespace

KillSession::KillSession(FileSystem& fs, std::string workBase, std::string documentFolder)
    : m_fs(fs), m_base(std::move(workBase)), m_folder(withSeparator(std::move(documentFolder)))
{
}

const char* KillSession::stepKind(int step)
{
    if (step == 0)
        return "start";
    switch ((step - 1) % kStepsPerRound) {
    case 0:
    case 1:
    case 2:
        return "select";
    case 7:
        return "copy";
    case 8:
        return "paste";
    case 12:
        return "save";
    default:
        return "drag";
    }
}

void KillSession::startUp()
{
    // As the main window starts: lock the WorkDir, the start state, the
    // working document, then the file of the command line and the first
    // showing.
    m_lock.emplace(m_base);
    m_editor.emplace(m_fs, m_ui, m_lock->path());
    m_editor->document.LastDir = m_folder;
    setStartState(*m_editor);
    const bool recovered = startWorkingDocument(*m_editor, *m_lock);
    if (m_editor->workDirUsable && !recovered)
        openCommandLineFile(*m_editor, m_folder + kStartDocument);
    FormShow(*m_editor);
}

void KillSession::saveStep(int round)
{
    // "Speichern" over the document's file, and every other round
    // "Speichern unter" one of two further names.
    if (round % 2 == 0) {
        Speichern2Click(*m_editor);
        return;
    }
    const std::string target = m_folder + "zeichnung-" + std::to_string(round / 2 % 2) + ".cfd";
    m_ui.saveDialogAnswers.push_back(target);
    if (m_editor->fileSystem.exists(target))
        m_ui.messageAnswers.push_back(MessageResult::Ok);
    Speichern1Click(*m_editor);
}

void KillSession::runStep(int step)
{
    if (step == 0) {
        startUp();
        return;
    }
    Editor& e = *m_editor;
    const int round = (step - 1) / kStepsPerRound;
    const Area area = areaOf(round);
    const SelectionRect& selection = e.editing.SelRect;
    switch ((step - 1) % kStepsPerRound) {
    case 0:
        SpeedButton67Click(e);
        I1MouseDown(e, PointerButton::Left, area.x1, area.y1);
        break;
    case 1:
        I1MouseMove(e, area.x2, area.y2);
        break;
    case 2:
        I1MouseUp(e, PointerButton::Left, area.x2, area.y2);
        break;
    case 3:
    case 9:
        I1MouseDown(e, PointerButton::Left, middleX(selection), middleY(selection));
        break;
    case 4:
        I1MouseMove(e, e.editing.MoveLast.x + 12, e.editing.MoveLast.y + 8);
        break;
    case 5:
        I1MouseMove(e, e.editing.MoveLast.x + 20, e.editing.MoveLast.y + 15);
        break;
    case 10:
        I1MouseMove(e, e.editing.MoveLast.x + 15, e.editing.MoveLast.y - 10);
        break;
    case 6:
    case 11:
        I1MouseUp(e, PointerButton::Left, e.editing.MoveLast.x, e.editing.MoveLast.y);
        break;
    case 7:
        Kopieren1Click(e);
        break;
    case 8:
        Einfgen1Click(e);
        break;
    case 12:
        saveStep(round);
        break;
    }
}

}  // namespace veltrano::test
