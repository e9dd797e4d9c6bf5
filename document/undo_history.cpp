#include "document/undo_history.h"

#include "document/io_error.h"
#include "document/record_file.h"

#include <QRegularExpression>
#include <QString>

#include <cerrno>

namespace veltrano {

namespace {

constexpr const char* kOlderPrefix = "rueck-";
constexpr const char* kRedoPrefix = "vor-";

}  // namespace

bool UndoHistory::isStepFile(const std::string& name)
{
    static const QRegularExpression pattern(QStringLiteral("^(rueck|vor)-[0-9]+\\.dat$"));
    return pattern.match(QString::fromStdString(name)).hasMatch();
}

UndoHistory::Step UndoHistory::newStep(const char* prefix)
{
    return {m_work.pathOf(prefix + std::to_string(m_nextNumber++) + ".dat"), 0};
}

std::uint64_t UndoHistory::sizeOf(const std::string& path) const
{
    return std::uint64_t(recordCount(m_work.fileSystem(), path)) * kRecordSize;
}

void UndoHistory::dropRedo()
{
    for (const Step& step : m_redo)
        m_work.fileSystem().remove(step.path);
    m_redo.clear();
    m_afterStep.reset();
}

void UndoHistory::trim()
{
    std::uint64_t bytes = 0;
    for (const Step& step : m_older)
        bytes += step.bytes;
    for (const Step& step : m_redo)
        bytes += step.bytes;
    // The snapshot is the first step back; the older ones follow it.
    while (!m_older.empty() && (m_older.size() + 1 > kMaxSteps || bytes > kMaxBytes)) {
        bytes -= m_older.front().bytes;
        m_work.fileSystem().remove(m_older.front().path);
        m_older.pop_front();
    }
}

std::optional<UndoHistory::Step> UndoHistory::moveSnapshotAside()
{
    const std::string snapshot = m_work.pathOf(workfile::Snapshot);
    Step older = newStep(kOlderPrefix);
    try {
        older.bytes = sizeOf(snapshot);
    } catch (const IoError& error) {
        if (error.errorNumber() == ENOENT)
            return std::nullopt;
        throw;
    }
    replaceFile(m_work.fileSystem(), snapshot, older.path);
    return older;
}

void UndoHistory::putSnapshotBack(const std::optional<Step>& older)
{
    if (older)
        m_work.fileSystem().rename(older->path, m_work.pathOf(workfile::Snapshot));
}

void UndoHistory::pushDocumentAsSnapshot(const std::function<void()>& andThen)
{
    const std::optional<Step> older = moveSnapshotAside();
    try {
        m_work.TakeSnapshot();
        andThen();
    } catch (const IoError&) {
        putSnapshotBack(older);
        throw;
    }
    if (older)
        m_older.push_back(*older);
}

void UndoHistory::takeSnapshot()
{
    pushDocumentAsSnapshot([] {});
    m_snapshotOfItself.reset();
    dropRedo();
    trim();
}

void UndoHistory::undo()
{
    FileSystem& fs = m_work.fileSystem();
    const std::string document = m_work.path();
    const std::string snapshot = m_work.pathOf(workfile::Snapshot);
    try {
        sizeOf(snapshot);
    } catch (const IoError& error) {
        if (error.errorNumber() != ENOENT)
            throw;
        m_work.RestoreSnapshot();  // creates the snapshot from the document
        m_snapshotOfItself = ContentMark::ofFile(fs, snapshot);
        return;
    }
    if (m_snapshotOfItself && ContentMark::ofFile(fs, document) == *m_snapshotOfItself)
        return;

    Step undone = newStep(kRedoPrefix);
    copyFile(fs, document, undone.path);
    undone.bytes = sizeOf(undone.path);
    try {
        replaceFile(fs, snapshot, document);
    } catch (const IoError&) {
        fs.remove(undone.path);
        throw;
    }
    // The document has changed; nothing after this may fail the command.
    m_redo.push_back(undone);
    m_snapshotOfItself.reset();
    if (!m_older.empty()) {
        if (!fs.rename(m_older.back().path, snapshot))
            m_older.clear();  // the older steps are lost; the next start removes their files
        else
            m_older.pop_back();
    }
    noteDocumentAfterStep();
}

void UndoHistory::noteDocumentAfterStep()
{
    try {
        m_afterStep = ContentMark::ofFile(m_work.fileSystem(), m_work.path());
    } catch (const IoError&) {
        // Unknown content: the next redo drops its steps rather than guess.
        m_afterStep.reset();
    }
}

bool UndoHistory::redo()
{
    if (m_redo.empty())
        return false;
    FileSystem& fs = m_work.fileSystem();
    const std::string document = m_work.path();
    if (!m_afterStep || ContentMark::ofFile(fs, document) != *m_afterStep) {
        dropRedo();
        return false;
    }
    pushDocumentAsSnapshot([&] { replaceFile(fs, m_redo.back().path, document); });
    m_redo.pop_back();
    noteDocumentAfterStep();
    trim();
    return true;
}

}  // namespace veltrano
