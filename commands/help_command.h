#pragma once
// The help of the menu "&Info": the compiled help file beside the program
// when there is one, otherwise the German HTML help that the build puts
// beside the program (hilfe/) or that an installation puts into
// share/veltrano/hilfe/. The document is handed to the desktop; a missing
// help gives no message.

#include "document/file_system.h"
#include "editor/ui_port.h"

#include <optional>
#include <string>

namespace veltrano {

inline constexpr const char* kCompiledHelpFile = "Tavrel_Hilfe.chm";
// Beside the program in the build folder, and relative to bin/ when installed.
inline constexpr const char* kHtmlHelpBeside = "hilfe/index.html";
inline constexpr const char* kHtmlHelpInstalled = "../share/veltrano/hilfe/index.html";

// The help document for the program folder programDir (ending in a
// separator), in this order: the compiled help, the HTML help beside the
// program, the installed HTML help; nothing when none of them exists.
std::optional<std::string> helpDocument(FileSystem& fs, const std::string& programDir);

// "&Hilfe" (F1): opens the help document, or does nothing at all.
void Hilfe1Click(FileSystem& fs, UiPort& ui, const std::string& programDir);

}  // namespace veltrano
