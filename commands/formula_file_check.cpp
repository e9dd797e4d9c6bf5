#include "commands/formula_file_check.h"

#include "commands/document_loading.h"
#include "document/io_error.h"
#include "document/record_file.h"

#include <QFileInfo>

#include <new>

namespace veltrano {

FileTrust confirmFormulaRecords(Editor& editor, const std::string& path, const std::vector<ElementRecord>& records,
                                std::uint64_t fileSize, std::string_view consequence)
{
    const Plausibility verdict = judgeFormulaFile(records, fileSize);
    if (verdict.plausible)
        return FileTrust::Plausible;
    const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    const MessageResult answer = editor.ui.messageBox(doubtfulFileQuestion(name, verdict, std::string(consequence)),
                                                      MessageKind::Warning, MessageButtons::OpenAnywayCancel);
    return answer == MessageResult::Ok ? FileTrust::Doubtful : FileTrust::Refused;
}

FileTrust confirmFormulaFile(Editor& editor, const std::string& path, std::string_view consequence)
{
    std::uint64_t fileSize = 0;
    try {
        readAllRecordsInPlace(editor.fileSystem, path, editor.passRecords);
        // Only a file without a whole record needs its exact size.
        if (editor.passRecords.empty())
            fileSize = readFileBytes(editor.fileSystem, path).size();
    } catch (const IoError&) {
        editor.ui.showMessage(kCannotOpenMessage);
        return FileTrust::Refused;
    } catch (const std::bad_alloc&) {
        editor.ui.showMessage(kCannotOpenMessage);
        return FileTrust::Refused;
    }
    return confirmFormulaRecords(editor, path, editor.passRecords, fileSize, consequence);
}

}  // namespace veltrano
