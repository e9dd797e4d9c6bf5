// The converter behind veltrano-render: its command line, the pictures of
// each format, and a batch with broken files among good ones.

#include "tools/batch_converter.h"

#include "commands/drawing_picture.h"
#include "document/element_kind.h"
#include "document/io_error.h"
#include "render/vector_output.h"
#include "support/fake_ui_port.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"
#include "support/poppler_tools.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sstream>

namespace veltrano {
namespace {

using Action = RenderCommand::Action;

const std::vector<ElementRecord> kDrawing = {
    makeRecord(kind::SingleBond, 100, 100, 130, 100),
    makeRecord(5, 135, 91, 12, 0),  // "COOH"
};

QImage imageOf(const test::Bytes& bytes)
{
    return QImage::fromData(bytes.data(), int(bytes.size()));
}

TEST(RenderCommandLine, OptionsComeFirstAndTheFormatFollowsTheOutput)
{
    const struct {
        std::vector<std::string> arguments;
        Action action;
        std::vector<ConversionTask> tasks;
        bool fit = false;
        int scale = 1;
        SvgBackground background = SvgBackground::Transparent;
    } cases[] = {
        {{}, Action::Wrong, {}},
        {{"a.cfd"}, Action::Wrong, {}},
        {{"a.cfd", "b.bmp", "c.bmp"}, Action::Wrong, {}},
        {{"a.cfd", "b.jpg"}, Action::Wrong, {}},
        {{"a.cfd", "--fit", "b.bmp"}, Action::Wrong, {}},
        {{"a.cfd", "b.SVG"}, Action::Convert, {{"a.cfd", "b.SVG", PictureFormat::Svg}}},
        {{"--fit", "a.cfd", "b.pdf"}, Action::Convert, {{"a.cfd", "b.pdf", PictureFormat::Pdf}}, true},
        {{"--scale", "3", "a.cfd", "b.png"}, Action::Convert, {{"a.cfd", "b.png", PictureFormat::Png}}, false, 3},
        {{"--scale", "8", "a.cfd", "b.bmp"}, Action::Convert, {{"a.cfd", "b.bmp", PictureFormat::Bitmap}}, false, 8},
        {{"--scale", "0", "a.cfd", "b.png"}, Action::Wrong, {}},
        {{"--scale", "9", "a.cfd", "b.png"}, Action::Wrong, {}},
        {{"--scale", "2x", "a.cfd", "b.png"}, Action::Wrong, {}},
        {{"--scale", "2", "a.cfd", "b.svg"}, Action::Wrong, {}},
        {{"--scale"}, Action::Wrong, {}},
        {{"--background", "white", "a.cfd", "b.svg"}, Action::Convert, {{"a.cfd", "b.svg", PictureFormat::Svg}},
         false, 1, SvgBackground::White},
        {{"--background", "grau", "a.cfd", "b.svg"}, Action::Wrong, {}},
        {{"--out-dir", "out", "--format", "svg", "a.cfd", "x/b.c.cfd", "Leer"},
         Action::Convert,
         {{"a.cfd", "out/a.svg", PictureFormat::Svg},
          {"x/b.c.cfd", "out/b.c.svg", PictureFormat::Svg},
          {"Leer", "out/Leer.svg", PictureFormat::Svg}}},
        {{"--fit", "--format", "PNG", "--out-dir", "o/", "a.cfd"}, Action::Convert,
         {{"a.cfd", "o/a.png", PictureFormat::Png}}, true},
        {{"--out-dir", "out", "a.cfd"}, Action::Wrong, {}},
        {{"--out-dir", "out", "--format", "svg"}, Action::Wrong, {}},
        {{"--out-dir", "out", "--format", "gif", "a.cfd"}, Action::Wrong, {}},
        {{"--format", "svg", "a.cfd", "b.svg"}, Action::Wrong, {}},
        {{"--bunt", "a.cfd", "b.svg"}, Action::Wrong, {}},
        {{"--help"}, Action::Help, {}},
        {{"--fit", "--version", "a.cfd"}, Action::Version, {}},
    };
    for (const auto& c : cases) {
        std::string line;
        for (const std::string& argument : c.arguments)
            line += argument + " ";
        const RenderCommand command = parseRenderCommand(c.arguments);
        EXPECT_EQ(command.action, c.action) << line;
        EXPECT_EQ(command.action == Action::Wrong, !command.error.empty()) << line << command.error;
        ASSERT_EQ(command.tasks.size(), c.action == Action::Convert ? c.tasks.size() : 0u) << line;
        for (std::size_t i = 0; i < command.tasks.size(); ++i) {
            EXPECT_EQ(command.tasks[i].input, c.tasks[i].input) << line;
            EXPECT_EQ(command.tasks[i].output, c.tasks[i].output) << line;
            EXPECT_EQ(command.tasks[i].format, c.tasks[i].format) << line;
        }
        if (c.action == Action::Convert) {
            EXPECT_EQ(command.options.fit, c.fit) << line;
            EXPECT_EQ(command.options.scale, c.scale) << line;
            EXPECT_EQ(command.options.background, c.background) << line;
        }
    }
    EXPECT_NE(renderUsage().find(renderSynopsis()), std::string::npos);
}

TEST(PictureFile, EachFormatHasItsSignatureAndSize)
{
    const QRect cutOut = vectorCutOut(ViewState{}, kDrawing, QSize(1200, 1000));
    EXPECT_EQ(pictureFile(kDrawing, PictureFormat::Bitmap, {}).size(), 54u + 3600u * 1000u);
    EXPECT_EQ(imageOf(pictureFile(kDrawing, PictureFormat::Png, {})).size(), QSize(1200, 1000));
    // The fitted raster cut-out is the bitmap export's, from the page's pixels.
    const QImage fitted = imageOf(pictureFile(kDrawing, PictureFormat::Png, {true, 1}));
    EXPECT_LT(fitted.width(), 200);
    EXPECT_EQ(imageOf(pictureFile(kDrawing, PictureFormat::Bitmap, {true, 1})).size(), fitted.size());
    // Scaled: from the vector form, n times the vector cut-out.
    for (int scale : {2, 5}) {
        const QImage scaled = imageOf(pictureFile(kDrawing, PictureFormat::Png, {true, scale}));
        EXPECT_EQ(scaled.size(), cutOut.size() * scale) << scale;
        EXPECT_EQ(scaled.convertToFormat(QImage::Format_RGB32),
                  drawingPicture(ViewState{}, kDrawing, cutOut, scale))
            << scale;
    }
    EXPECT_EQ(imageOf(pictureFile(kDrawing, PictureFormat::Png, {false, 2})).size(), QSize(2400, 2000));
    const test::Bytes svg = pictureFile(kDrawing, PictureFormat::Svg, {true, 1});
    const QByteArray svgText(reinterpret_cast<const char*>(svg.data()), qsizetype(svg.size()));
    EXPECT_EQ(svgText, svgOfDrawing(ViewState{}, kDrawing, cutOut));
    const QByteArray page = svgOfDrawing(ViewState{}, kDrawing, QRect(0, 0, 1200, 1000));
    EXPECT_EQ(pictureFile(kDrawing, PictureFormat::Svg, {false, 1}), test::Bytes(page.begin(), page.end()));
    const QByteArray white = svgOfDrawingOn(ViewState{}, kDrawing, cutOut, SvgBackground::White);
    EXPECT_EQ(pictureFile(kDrawing, PictureFormat::Svg, {true, 1, false, SvgBackground::White}),
              test::Bytes(white.begin(), white.end()));
    const test::Bytes pdf = pictureFile(kDrawing, PictureFormat::Pdf, {});
    EXPECT_EQ(std::string(pdf.begin(), pdf.begin() + 4), "%PDF");
}

class BatchConversion : public ::testing::Test {
protected:
    BatchConversion()
    {
        QDir(folder.path()).mkpath("in");
        QDir(folder.path()).mkpath("out");
        QDir(folder.path()).mkpath("in/Ordner.cfd");
        test::putFileBytes(path("in/Erste.cfd"), test::recordFileBytes(kDrawing));
        test::putFileBytes(path("in/Zweite.cfd"), test::recordFileBytes({kDrawing[0]}));
    }
    std::string path(const std::string& relative) const { return folder.path().toStdString() + "/" + relative; }

    std::vector<ConversionTask> tasksFor(const std::vector<std::string>& inputs, PictureFormat format) const
    {
        std::vector<ConversionTask> tasks;
        for (const std::string& input : inputs)
            tasks.push_back({path(input), outputPathIn(path("out"), path(input), format), format});
        return tasks;
    }

    QTemporaryDir folder;
    std::ostringstream errors;
    std::ostringstream progress;
};

TEST_F(BatchConversion, BrokenFilesAreNamedWithTheirReasonAndTheOthersAreConverted)
{
    const auto tasks = tasksFor({"in/Erste.cfd", "in/Fehlt.cfd", "in/Ordner.cfd", "in/Zweite.cfd"}, PictureFormat::Svg);
    EXPECT_EQ(convertAll(FileSystem::system(), tasks, {}, errors, &progress), 2);

    EXPECT_EQ(test::folderEntries(path("out")), (std::vector<std::string>{"Erste.svg", "Zweite.svg"}));
    const std::string text = errors.str();
    EXPECT_NE(text.find("Fehlt.cfd: Datei nicht gefunden\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Ordner.cfd: "), std::string::npos) << text;
    EXPECT_EQ(text.find("Erste"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2) << text;
    // One progress line per file, numbered.
    const std::string lines = progress.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 4) << lines;
    EXPECT_NE(lines.find("[2/4] " + path("in/Fehlt.cfd") + " -> " + path("out/Fehlt.svg")), std::string::npos)
        << lines;
    EXPECT_NE(lines.find("[4/4] "), std::string::npos);
}

TEST_F(BatchConversion, EveryFormatIsWrittenAndNoProgressWithoutATerminal)
{
    for (PictureFormat format : {PictureFormat::Bitmap, PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf}) {
        EXPECT_EQ(convertAll(FileSystem::system(), tasksFor({"in/Erste.cfd"}, format), {true, 1}, errors, nullptr), 0);
        EXPECT_TRUE(test::fileExists(path(std::string("out/Erste.") + extensionOf(format)))) << extensionOf(format);
    }
    EXPECT_EQ(errors.str(), "");
    EXPECT_FALSE(imageOf(test::fileBytes(path("out/Erste.bmp"))).isNull());
    EXPECT_FALSE(imageOf(test::fileBytes(path("out/Erste.png"))).isNull());
    const auto text = test::pdfText(path("out/Erste.pdf"));
    if (!text)
        GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_TRUE(text->contains("COOH")) << text->toStdString();
}

TEST_F(BatchConversion, TwoInputsOfOneNameDoNotOverwriteEachOther)
{
    QDir(folder.path()).mkpath("in/neu");
    test::putFileBytes(path("in/neu/Erste.cfd"), test::recordFileBytes({kDrawing[0]}));
    const auto tasks = tasksFor({"in/Erste.cfd", "in/neu/Erste.cfd"}, PictureFormat::Svg);
    EXPECT_EQ(convertAll(FileSystem::system(), tasks, {}, errors, nullptr), 1);
    const test::Bytes first = pictureFile(kDrawing, PictureFormat::Svg, {});
    EXPECT_EQ(test::fileBytes(path("out/Erste.svg")), first);
    EXPECT_NE(errors.str().find("neu/Erste.cfd: same output"), std::string::npos) << errors.str();
}

TEST_F(BatchConversion, AFailedWriteKeepsTheOldOutputAndTheNextFileIsStillConverted)
{
    test::putFileBytes(path("out/Erste.png"), {'a', 'l', 't'});
    test::FaultyFileSystem fs;
    fs.onlyPathsContaining("out/Erste");
    fs.failAt(1, ENOSPC, test::FsOp::Write);
    const auto tasks = tasksFor({"in/Erste.cfd", "in/Zweite.cfd"}, PictureFormat::Png);
    EXPECT_EQ(convertAll(fs, tasks, {}, errors, nullptr), 1);
    EXPECT_TRUE(fs.injected());
    EXPECT_EQ(test::fileBytes(path("out/Erste.png")), (test::Bytes{'a', 'l', 't'}));
    EXPECT_EQ(test::folderEntries(path("out")), (std::vector<std::string>{"Erste.png", "Zweite.png"}));
    EXPECT_NE(errors.str().find("out/Erste.png: Zu wenig Speicherplatz"), std::string::npos) << errors.str();
}

}  // namespace
}  // namespace veltrano
