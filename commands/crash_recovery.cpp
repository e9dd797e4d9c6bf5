#include "commands/crash_recovery.h"

#include "commands/document_loading.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "document/working_file.h"
#include "editor/ui_port.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace veltrano {

namespace {

// The mark's single line: the number of whole records of temp.dat and the
// SHA-256 of those records (a trailing fragment is no part of a drawing).
std::vector<std::uint8_t> markLine(std::size_t count, const QByteArray& hash)
{
    const std::string line = std::to_string(count) + " " + hash.toHex().toStdString() + "\n";
    return {line.begin(), line.end()};
}

std::vector<std::uint8_t> markOf(const std::uint8_t* records, std::size_t size)
{
    const std::size_t whole = size - size % kRecordSize;
    const QByteArray hash = QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(records), qsizetype(whole)), QCryptographicHash::Sha256);
    return markLine(whole / kRecordSize, hash);
}

// The same for decoded records, encoded a block at a time: a document that
// only just fitted in memory needs no second copy of its bytes.
std::vector<std::uint8_t> markOf(const std::vector<ElementRecord>& records)
{
    constexpr std::size_t kBlockRecords = 2048;
    std::array<char, kBlockRecords * kRecordSize> block;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (std::size_t first = 0; first < records.size(); first += kBlockRecords) {
        const std::size_t count = std::min(kBlockRecords, records.size() - first);
        for (std::size_t i = 0; i < count; ++i) {
            const RecordBytes bytes = encodeRecord(records[first + i]);
            std::copy(bytes.begin(), bytes.end(), block.begin() + std::ptrdiff_t(i * kRecordSize));
        }
        hash.addData(QByteArrayView(block.data(), qsizetype(count * kRecordSize)));
    }
    return markLine(records.size(), hash.result());
}

std::vector<std::uint8_t> markOf(const std::vector<std::uint8_t>& document)
{
    return markOf(document.data(), document.size());
}

void writeMark(Editor& editor, const std::vector<std::uint8_t>& mark)
{
    const std::string path = editor.workingFile.pathOf(kSavedMarkName);
    try {
        writeFileBytes(editor.fileSystem, path, mark);
    } catch (const IoError&) {
        // An old mark must not vouch for the new content.
        editor.fileSystem.remove(path);
    }
}

}  // namespace

std::string recoveryQuestion(std::uint32_t count)
{
    const std::string elements = count == 1 ? "1 Element" : std::to_string(count) + " Elemente";
    return "Veltrano wurde nicht ordnungsgemäß beendet. Soll die ungesicherte Zeichnung (" + elements +
           ") wiederhergestellt werden?";
}

std::string recoveryFileName(const QDateTime& when, int number)
{
    QString name = QStringLiteral("wiederherstellung-") + when.toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    if (number > 1)
        name += QStringLiteral("-%1").arg(number);
    return (name + QStringLiteral(".dat")).toStdString();
}

void removeScratchFiles(Editor& editor)
{
    WorkingFile& working = editor.workingFile;
    for (std::string_view name : {workfile::Scratch, workfile::MergeCopy, workfile::DeleteResult})
        editor.fileSystem.remove(working.pathOf(name));
    // The partial file of a save, beside the saved file.
    working.removeInterruptedSave();
    // The partial files of atomic writes: the target's name, ".part" and
    // random digits (earlier versions: the process id). Only this editor
    // uses its locked WorkDir.
    static const QRegularExpression partial(QStringLiteral("\\.part[0-9]+$"));
    const QStringList names = QDir(QString::fromStdString(working.workDir()))
                                  .entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        if (partial.match(name).hasMatch())
            editor.fileSystem.remove(working.pathOf(name.toStdString()));
    }
}

void noteDocumentSaved(Editor& editor)
{
    try {
        writeMark(editor, markOf(readFileBytes(editor.fileSystem, editor.workingFile.path())));
    } catch (const IoError&) {
        editor.fileSystem.remove(editor.workingFile.pathOf(kSavedMarkName));
    }
}

void noteDocumentSaved(Editor& editor, const std::vector<ElementRecord>& records)
{
    writeMark(editor, markOf(records));
}

std::uint32_t unsavedRecordCount(Editor& editor)
{
    std::vector<std::uint8_t> document;
    try {
        document = readFileBytes(editor.fileSystem, editor.workingFile.path());
    } catch (const IoError&) {
        return 0;
    }
    const auto count = std::uint32_t(document.size() / kRecordSize);
    if (count == 0)
        return 0;
    try {
        if (readFileBytes(editor.fileSystem, editor.workingFile.pathOf(kSavedMarkName)) == markOf(document))
            return 0;
    } catch (const IoError&) {
        // No mark: never saved, or the mark was lost; the user decides.
    }
    return count;
}

bool offerRecovery(Editor& editor, const QDateTime& now)
{
    const std::uint32_t count = unsavedRecordCount(editor);
    if (count == 0)
        return false;
    if (editor.ui.messageBox(recoveryQuestion(count), ui::kConfirmTitle, MessageButtons::YesNo) != MessageResult::Yes) {
        std::string kept = editor.workingFile.pathOf(recoveryFileName(now));
        for (int number = 2; editor.fileSystem.exists(kept); ++number)
            kept = editor.workingFile.pathOf(recoveryFileName(now, number));
        try {
            copyFile(editor.fileSystem, editor.workingFile.path(), kept, Durability::Flushed);
            editor.fileSystem.remove(editor.workingFile.pathOf(kSavedMarkName));
            return false;
        } catch (const IoError& error) {
            // Emptying temp.dat now would lose the only copy.
            editor.ui.showError(error.what());
        }
    }
    editor.document.DocumentName.clear();
    editor.document.SavedRecordCount = 0;
    editor.editing.Modified = true;
    editor.ui.setCaption(captionFor({}));
    return true;
}

}  // namespace veltrano
