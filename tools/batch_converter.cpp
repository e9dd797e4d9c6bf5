#include "tools/batch_converter.h"

#include "commands/drawing_picture.h"
#include "document/io_error.h"
#include "document/plausibility.h"
#include "document/record_file.h"
#include "render/bitmap_file.h"
#include "render/canvas.h"
#include "render/content_cutout.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/vector_output.h"
#include "render/view_state.h"

#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <charconv>
#include <map>
#include <new>

namespace veltrano {

namespace {

struct FormatRow {
    PictureFormat format;
    const char* extension;
};

constexpr FormatRow kFormats[] = {
    {PictureFormat::Bitmap, "bmp"},
    {PictureFormat::Png, "png"},
    {PictureFormat::Svg, "svg"},
    {PictureFormat::Pdf, "pdf"},
};

const QRect kWholePage(0, 0, kPageWidth, kPageHeight);

bool isRaster(PictureFormat format)
{
    return format == PictureFormat::Bitmap || format == PictureFormat::Png;
}

std::vector<std::uint8_t> bytesOf(const QByteArray& data)
{
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

// The page's own pixels, as the editor shows them.
QImage rasterPicture(const std::vector<ElementRecord>& records, const ViewState& view, bool fit)
{
    QImage page = makeBlankPage();
    if (page.isNull())
        throw std::bad_alloc();  // QImage reports a failed allocation this way
    Canvas canvas(page);
    RepaintFile(canvas, view, records);
    return fit ? fittedCutOut(page, page.size()) : page;
}

std::optional<int> parseScale(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1 || value > kMaxScale)
        return std::nullopt;
    return value;
}

RenderCommand wrong(std::string error)
{
    RenderCommand command;
    command.error = std::move(error);
    return command;
}

}  // namespace

std::optional<PictureFormat> formatOfPath(std::string_view path)
{
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::nullopt;
    return formatNamed(path.substr(dot + 1));
}

std::optional<PictureFormat> formatNamed(std::string_view name)
{
    const QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
    for (const FormatRow& row : kFormats) {
        if (text.compare(QLatin1String(row.extension), Qt::CaseInsensitive) == 0)
            return row.format;
    }
    return std::nullopt;
}

const char* extensionOf(PictureFormat format)
{
    for (const FormatRow& row : kFormats) {
        if (row.format == format)
            return row.extension;
    }
    return "";
}

std::vector<std::uint8_t> pictureFile(const std::vector<ElementRecord>& records, PictureFormat format,
                                      const ConversionOptions& options)
{
    ViewState view;
    ResetView(view);
    if (isRaster(format) && options.scale == 1) {
        const QImage picture = rasterPicture(records, view, options.fit);
        return format == PictureFormat::Png ? encodePng(picture) : encodeBitmap24(picture);
    }
    const QRect area = options.fit ? vectorCutOut(view, records, kWholePage.size()) : kWholePage;
    switch (format) {
    case PictureFormat::Svg:
        return bytesOf(svgOfDrawingOn(view, records, area, options.background));
    case PictureFormat::Pdf:
        return bytesOf(pdfOfDrawing(view, records, area));
    case PictureFormat::Png:
        return encodePng(drawingPicture(view, records, area, options.scale));
    case PictureFormat::Bitmap:
        break;
    }
    return encodeBitmap24(drawingPicture(view, records, area, options.scale));
}

std::string outputPathIn(const std::string& folder, const std::string& input, PictureFormat format)
{
    const QString base = QFileInfo(QString::fromStdString(input)).completeBaseName();
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + base.toStdString() + "." + extensionOf(format);
}

int convertAll(FileSystem& fs, const std::vector<ConversionTask>& tasks, const ConversionOptions& options,
               std::ostream& errors, std::ostream* progress)
{
    int failed = 0;
    // Outputs named by clean paths, so "out/a.svg" and "out//a.svg" meet.
    std::map<QString, std::string> written;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        const ConversionTask& task = tasks[i];
        if (progress)
            *progress << "[" << i + 1 << "/" << tasks.size() << "] " << task.input << " -> " << task.output
                      << std::endl;
        const QString outputKey = QFileInfo(QString::fromStdString(task.output)).absoluteFilePath();
        if (const auto earlier = written.find(outputKey); earlier != written.end()) {
            errors << "veltrano-render: " << task.input << ": same output " << task.output << " as "
                   << earlier->second << ", not converted\n";
            ++failed;
            continue;
        }
        std::string failedPath = task.input;
        try {
            std::vector<ElementRecord> records;
            std::uint64_t size = 0;
            {
                const std::vector<std::uint8_t> input = readFileBytes(fs, task.input);
                size = input.size();
                records = parseRecords(input);
            }
            if (const Plausibility verdict = judgeFormulaFile(records, size); !verdict.plausible && !options.force) {
                errors << "veltrano-render: " << task.input << ": sieht nicht wie eine Formeldatei aus: "
                       << verdict.reason << "; nicht umgewandelt (--force wandelt sie trotzdem um)\n";
                ++failed;
                continue;
            }
            const std::vector<std::uint8_t> bytes = pictureFile(records, task.format, options);
            failedPath = task.output;
            writeFileBytes(fs, task.output, bytes, Durability::Flushed);
            written.emplace(outputKey, task.input);
        } catch (const IoError& error) {
            errors << "veltrano-render: " << failedPath << ": " << error.what() << "\n";
            ++failed;
        } catch (const std::bad_alloc&) {
            errors << "veltrano-render: " << task.input << ": " << kOutOfMemoryMessage << "\n";
            ++failed;
        }
    }
    errors.flush();
    return failed;
}

RenderCommand parseRenderCommand(const std::vector<std::string>& arguments)
{
    RenderCommand command;
    std::optional<PictureFormat> batchFormat;
    bool outDirGiven = false;
    std::size_t i = 0;
    // Options come first; the first argument that is none starts the files.
    for (; i < arguments.size() && arguments[i].starts_with("--"); ++i) {
        const std::string& option = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (option == "--help") {
            command.action = RenderCommand::Action::Help;
            return command;
        }
        if (option == "--version") {
            command.action = RenderCommand::Action::Version;
            return command;
        }
        if (option == "--fit") {
            command.options.fit = true;
        } else if (option == "--force") {
            command.options.force = true;
        } else if (option == "--scale" && hasValue) {
            const std::optional<int> scale = parseScale(arguments[++i]);
            if (!scale)
                return wrong("--scale takes a whole number from 1 to " + std::to_string(kMaxScale));
            command.options.scale = *scale;
        } else if (option == "--background" && hasValue) {
            const std::string& ground = arguments[++i];
            if (ground == "white")
                command.options.background = SvgBackground::White;
            else if (ground == "transparent")
                command.options.background = SvgBackground::Transparent;
            else
                return wrong("--background takes white or transparent");
        } else if (option == "--out-dir" && hasValue) {
            command.outDir = arguments[++i];
            outDirGiven = true;
        } else if (option == "--format" && hasValue) {
            batchFormat = formatNamed(arguments[++i]);
            if (!batchFormat)
                return wrong("unknown format " + arguments[i] + " (bmp, png, svg or pdf)");
        } else {
            return wrong("unknown option " + option);
        }
    }
    const std::vector<std::string> files(arguments.begin() + std::ptrdiff_t(i), arguments.end());

    if (outDirGiven) {
        if (!batchFormat)
            return wrong("--out-dir needs --format");
        if (files.empty())
            return wrong("no input files");
        for (const std::string& input : files)
            command.tasks.push_back({input, outputPathIn(command.outDir, input, *batchFormat), *batchFormat});
    } else {
        if (batchFormat)
            return wrong("--format needs --out-dir");
        if (files.size() != 2)
            return wrong("expected INPUT and OUTPUT");
        const std::optional<PictureFormat> format = formatOfPath(files[1]);
        if (!format)
            return wrong("the output must end in .bmp, .png, .svg or .pdf");
        command.tasks.push_back({files[0], files[1], *format});
    }
    for (const ConversionTask& task : command.tasks) {
        if (command.options.scale != 1 && !isRaster(task.format))
            return wrong("--scale is for BMP and PNG output only");
    }
    command.action = RenderCommand::Action::Convert;
    return command;
}

std::string renderSynopsis()
{
    return "usage: veltrano-render [OPTIONS] INPUT.cfd OUTPUT.bmp|.png|.svg|.pdf\n"
           "       veltrano-render [OPTIONS] --out-dir DIR --format bmp|png|svg|pdf INPUT.cfd...\n"
           "       veltrano-render --formula [--json] INPUT.cfd...\n"
           "       veltrano-render INPUT.cfd OUTPUT.mol|.sdf|.smi   or   INPUT.mol|.sdf|.smi OUTPUT.cfd\n"
           "       veltrano-render --help | --version\n";
}

std::string renderUsage()
{
    return renderSynopsis() + "\n"
           "Draws formula files as the editor draws them and writes them as pictures.\n"
           "The output format follows the output's extension, or --format for many files;\n"
           "those are written into DIR, each named after its input (Benzol.cfd gives\n"
           "DIR/Benzol.svg); DIR is created when it is missing.\n"
           "\n"
           "  --fit          only the drawing, cut out with a white margin of 10 pixels,\n"
           "                 instead of the whole page of 1200 x 1000 pixels\n"
           "  --scale N      BMP and PNG drawn N times as large (1 to 8), with smooth edges\n"
           "  --force        convert inputs that do not look like formula files, too\n"
           "  --background G SVG ground: transparent (the default) or white\n"
           "  --out-dir DIR  the folder for the outputs of many inputs\n"
           "  --format F     the format of those outputs\n"
           "  --help         this text\n"
           "  --version      the program's version\n"
           "\n"
           "SVG and PDF are vector graphics at 96 pixels per inch; an SVG gives its size in\n"
           "millimetres and keeps page pixels as its units. An input that cannot be\n"
           "read, or that does not look like a formula file (a picture, a text), is reported\n"
           "with its reason and the others are still converted; an output\n"
           "is replaced only by a complete new file.\n"
           "\n"
           "--formula reads each drawing as chemistry and prints one line per molecule:\n"
           "file, number, formula, molar mass, SMILES, separated by tabs (with --json a\n"
           "JSON array per file; a molecule that cannot be read has no figures, null in\n"
           "JSON). A .mol, .sdf or .smi output holds the drawing's\n"
           "molecules (1.5 A per bond length); such a file as input becomes a drawing.\n"
           "\n"
           "Exit status: 0 all written, 1 some file failed, 2 wrong arguments.\n";
}

}  // namespace veltrano
