#pragma once
// The help of the menu "&Info": the compiled help file beside the program
// when there is one, otherwise the German HTML help hilfe/ in the data
// folders (commands/data_folders.h): beside the program in the build folder,
// share/veltrano/hilfe/ in an installation. The document is handed to the
// desktop; a missing help gives no message.

#include "document/file_system.h"
#include "editor/ui_port.h"

#include <optional>
#include <string>

namespace veltrano {

inline constexpr const char* kCompiledHelpFile = "Tavrel_Hilfe.chm";
// Relative to each data folder.
inline constexpr const char* kHtmlHelpFile = "hilfe/index.html";

// The help document for the program folder programDir (ending in a
// separator), in this order: the compiled help, the HTML help of the first
// data folder that has one; nothing when none of them exists.
std::optional<std::string> helpDocument(FileSystem& fs, const std::string& programDir);

// "&Hilfe" (F1): opens the help document, or does nothing at all.
void Hilfe1Click(FileSystem& fs, UiPort& ui, const std::string& programDir);

}  // namespace veltrano
