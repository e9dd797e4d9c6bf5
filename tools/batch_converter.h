#pragma once
// The converter behind veltrano-render: formula files to pictures (24-bit
// BMP, PNG, SVG, PDF), one or many at a time. A file that cannot be read or
// written is reported by name with its reason and the others are still
// converted; every output is written as a complete new file before it
// replaces an old one, so a failure leaves the old output whole.

#include "document/element_record.h"
#include "document/file_system.h"
#include "render/vector_output.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano {

enum class PictureFormat { Bitmap, Png, Svg, Pdf };

// By the output's extension (".bmp", ".png", ".svg", ".pdf", any case).
std::optional<PictureFormat> formatOfPath(std::string_view path);
// By name as --format takes it ("bmp", "png", "svg", "pdf", any case).
std::optional<PictureFormat> formatNamed(std::string_view name);
const char* extensionOf(PictureFormat format);

inline constexpr int kMaxScale = 8;

struct ConversionOptions {
    // The content cut out with its white margin of 10 pixels, as the fitted
    // bitmap export cuts it (over the whole page), instead of the page.
    bool fit = false;
    // BMP and PNG only: drawn from the vector form at this many times the
    // page's resolution. 1 keeps the page's own pixels.
    int scale = 1;
    // Converts inputs that do not look like formula files too; without it
    // they are reported and skipped.
    bool force = false;
    // SVG only: a transparent ground (the default), or white under the
    // drawing. The other formats are white.
    SvgBackground background = SvgBackground::Transparent;
};

// The file content of records as a picture.
std::vector<std::uint8_t> pictureFile(const std::vector<ElementRecord>& records, PictureFormat format,
                                      const ConversionOptions& options);

struct ConversionTask {
    std::string input;
    std::string output;
    PictureFormat format = PictureFormat::Bitmap;
};

// The output for input in folder: input's file name with its last
// extension replaced (Benzol.cfd gives folder/Benzol.svg).
std::string outputPathIn(const std::string& folder, const std::string& input, PictureFormat format);

// Converts every task in order. Each failure goes to errors as one line
// "veltrano-render: NAME: REASON"; with progress set, one line per file
// "[i/n] INPUT -> OUTPUT" goes there before it is converted. Two tasks
// with the same output: the later one fails instead of overwriting.
// Returns the number of tasks that failed.
int convertAll(FileSystem& fs, const std::vector<ConversionTask>& tasks, const ConversionOptions& options,
               std::ostream& errors, std::ostream* progress);

// The command line: one INPUT and OUTPUT, or --out-dir with --format and
// any number of INPUTs. Options come before the files.
struct RenderCommand {
    enum class Action { Convert, Help, Version, Wrong };
    Action action = Action::Wrong;
    std::string error;  // for Wrong: what is wrong
    ConversionOptions options;
    std::vector<ConversionTask> tasks;
    std::string outDir;  // empty unless --out-dir was given
};

RenderCommand parseRenderCommand(const std::vector<std::string>& arguments);

// The text of --help (English), ending in a newline; its first lines, the
// synopsis, are what wrong arguments get.
std::string renderUsage();
std::string renderSynopsis();

}  // namespace veltrano
