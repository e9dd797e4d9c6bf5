#pragma once
// Undo and redo of many steps over the working files. The first step back is
// the undo snapshot sicher1.dat, as it always was, so crash recovery and the
// working files keep their meaning; the older steps are kept beside it in
// WorkDir as "rueck-N.dat", the steps undone as "vor-N.dat". Both kinds are
// scratch files: a start removes those an earlier run left.
//
// At most kMaxSteps steps back are kept, and all kept steps together take at
// most kMaxBytes; beyond that the oldest are dropped. A change after an
// undo drops the steps that could be redone: a snapshot does, and a redo
// finds temp.dat changed by a command that takes none (a move or recolour
// step) and drops them then. temp.dat is replaced only by renaming a whole
// file over it, so it is always one complete document. The step numbers
// live in memory only: a run that ends leaves the files to the next start.

#include "document/content_mark.h"
#include "document/working_file.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace veltrano {

class UndoHistory {
public:
    static constexpr std::size_t kMaxSteps = 100;
    static constexpr std::uint64_t kMaxBytes = 64ull << 20;

    explicit UndoHistory(WorkingFile& work) : m_work(work) {}

    // Before a change: temp.dat becomes the first step back (sicher1.dat),
    // the step there moves one further back, and the redo steps are
    // dropped. Throws IoError before the document or the snapshot changes.
    void takeSnapshot();

    // "Rückgängig": one step back. temp.dat becomes the first step of the
    // redo, sicher1.dat the document and the next older step the snapshot.
    // Without a snapshot the document stays and becomes the snapshot.
    void undo();

    // "Wiederherstellen": the step undone last comes back and the document
    // before it becomes the first step back. False when there is nothing
    // to redo, or temp.dat changed since the last undo or redo (the redo
    // steps are then dropped).
    bool redo();

    bool canRedo() const { return !m_redo.empty(); }
    // The steps back beyond the snapshot.
    std::size_t olderSteps() const { return m_older.size(); }

    // Whether a file of WorkDir is one of the history's step files.
    static bool isStepFile(const std::string& name);

private:
    struct Step {
        std::string path;
        std::uint64_t bytes = 0;
    };

    Step newStep(const char* prefix);
    // Renames sicher1.dat to a new older step; nothing when there is none.
    std::optional<Step> moveSnapshotAside();
    void putSnapshotBack(const std::optional<Step>& older);
    // temp.dat becomes the snapshot, the snapshot one step further back,
    // then andThen runs; if either fails, the snapshot is put back.
    void pushDocumentAsSnapshot(const std::function<void()>& andThen);
    std::uint64_t sizeOf(const std::string& path) const;
    void dropRedo();
    void noteDocumentAfterStep();
    void trim();

    WorkingFile& m_work;
    std::deque<Step> m_older;  // the oldest first
    std::vector<Step> m_redo;  // the next to redo last
    // temp.dat right after the last undo or redo, while redo is possible.
    std::optional<ContentMark> m_afterStep;
    // The snapshot made from the document itself when there was none: an
    // undo then has nothing to go back to.
    std::optional<ContentMark> m_snapshotOfItself;
    std::uint64_t m_nextNumber = 1;
};

}  // namespace veltrano
