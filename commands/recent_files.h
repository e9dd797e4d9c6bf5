#pragma once
// "Zuletzt geöffnet": the formula files last opened or saved, newest first,
// kept between runs through the UI port. A file that is gone is dropped
// from the list when the program starts and when it is chosen.

#include "editor/editor.h"

#include <cstddef>
#include <string>
#include <vector>

namespace veltrano {

inline constexpr std::size_t kRecentFileCount = 8;

// The list with path in front: an earlier entry of the same file moves up,
// and the oldest beyond kRecentFileCount falls off.
std::vector<std::string> withRecentFile(std::vector<std::string> files, const std::string& path);

// At start-up: the kept list without the files that are gone, shown in the
// menu.
void loadRecentFiles(Editor& editor);

// A file the document was opened from or saved to goes in front.
void noteRecentFile(Editor& editor, const std::string& path);

// The menu entry at index: after the offer to save, opens that file as
// "Ö&ffnen" opens a chosen one. A file that is gone is named in a message
// and dropped from the list.
void openRecentFile(Editor& editor, std::size_t index);

}  // namespace veltrano
