#include "editor/editor.h"

#include "render/page.h"

#include <utility>

namespace veltrano {

Editor::Editor(FileSystem& fs, UiPort& port, std::string workDir)
    : fileSystem(fs), ui(port), workingFile(fs, std::move(workDir)), page(makeBlankPage()), canvas(page)
{
}

}  // namespace veltrano
