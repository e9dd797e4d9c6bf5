#include "commands/command_table.h"

#include "commands/bitmap_export.h"
#include "commands/chemistry_commands.h"
#include "commands/colour_commands.h"
#include "commands/copy_as_picture.h"
#include "commands/edit_commands.h"
#include "commands/file_commands.h"
#include "commands/help_command.h"
#include "commands/merge.h"
#include "commands/move_commands.h"
#include "commands/print_command.h"
#include "commands/template_palette.h"
#include "commands/vector_export.h"
#include "commands/view_commands.h"
#include "editor/full_repaint.h"

namespace veltrano {

namespace {

constexpr QKeyCombination kNone{};

const MenuRow kMenus[] = {
    {"Datei1", "&Datei"},
    {"Bearbeiten1", "&Bearbeiten"},
    {"Info1", "&Info"},
};

// "Speichern &unter" reports whether it saved; as a command that is unused.
void saveAs(Editor& editor)
{
    Speichern1Click(editor);
}

void showHelp(Editor& editor)
{
    Hilfe1Click(editor.fileSystem, editor.ui, editor.ProgramDir);
}

void showAbout(Editor& editor)
{
    editor.ui.showWindow(ui::kAboutWindow);
}

template <Control Button>
void colourButton(Editor& editor)
{
    colourButtonClick(editor, Button);
}

const CommandRow kCommands[] = {
    {"Datei1", "Neu1", "&Neu", Qt::CTRL | Qt::Key_N, kNone, true, Neu1Click},
    {"Datei1", "ffnen1", "Ö&ffnen", Qt::CTRL | Qt::Key_O, kNone, true, ffnen1Click},
    {"Datei1", kRecentFilesMenu, "&Zuletzt geöffnet", kNone, kNone, false, nullptr},
    {"Datei1", "Speichern2", "&Speichern", Qt::CTRL | Qt::Key_S, kNone, true, Speichern2Click},
    {"Datei1", "Speichern1", "Speichern &unter", kNone, kNone, true, saveAs},
    {"Datei1", "FormelAntwortspeichern1", "Formel+Antwort speichern", Qt::CTRL | Qt::ALT | Qt::Key_S, kNone, true,
     FormelAntwortspeichern1Click},
    {"Datei1", nullptr, nullptr, kNone, kNone, true, nullptr},
    {"Datei1", "Importieren1", "cfd-Datei einfügen", kNone, kNone, true, Importieren1Click},
    {"Datei1", "Exportieren1", "Als bmp exportieren", kNone, kNone, true, Exportieren1Click},
    {"Datei1", "Passendebmpexportieren1", "Passende bmp exportieren", kNone, kNone, true, Passendebmpexportieren1Click},
    {"Datei1", "AlsSVGexportieren1", "Als SVG exportieren", kNone, kNone, true, exportSvg},
    {"Datei1", "AlsPDFexportieren1", "Als PDF exportieren", kNone, kNone, true, exportPdf},
    {"Datei1", "AlsPNGexportieren1", "Als PNG exportieren", kNone, kNone, true, exportPng},
    {"Datei1", "AlsMOLSDFexportieren1", "Als MOL/SDF exportieren", kNone, kNone, true, exportStructure},
    {"Datei1", "Drucken1", "Drucken...", Qt::CTRL | Qt::Key_P, kNone, true, printDrawing},
    {"Datei1", nullptr, nullptr, kNone, kNone, true, nullptr},
    {"Datei1", "Beenden1", "&Beenden", Qt::CTRL | Qt::Key_B, Qt::CTRL | Qt::Key_Q, true, Beenden1Click},
    {"Bearbeiten1", "Undo1", "Rückgängig", Qt::ALT | Qt::Key_Backspace, Qt::CTRL | Qt::Key_Z, true, Undo1Click},
    {"Bearbeiten1", "Wiederherstellen1", "Wiederherstellen", Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z, false,
     redo},
    {"Bearbeiten1", "Lschen1", "Löschen", QKeyCombination(Qt::Key_Delete), kNone, false, Lschen1Click},
    {"Bearbeiten1", "Kopieren1", "Kopieren", Qt::CTRL | Qt::Key_C, kNone, false, Kopieren1Click},
    {"Bearbeiten1", "Einfgen1", "Einfügen", Qt::CTRL | Qt::Key_V, kNone, false, Einfgen1Click},
    {"Bearbeiten1", nullptr, nullptr, kNone, kNone, true, nullptr},
    {"Bearbeiten1", "AlsBildkopieren1", "Als Bild kopieren", Qt::CTRL | Qt::SHIFT | Qt::Key_C, kNone, true,
     copyAsPicture},
    {"Bearbeiten1", "SMILESkopieren1", "SMILES kopieren", kNone, kNone, true, copySmiles},
    {"Bearbeiten1", "MOLSDFeinfgen1", "MOL/SDF einfügen", kNone, kNone, true, insertStructureFile},
    {"Bearbeiten1", "SMILESeinfgen1", "SMILES einfügen", kNone, kNone, true, insertSmiles},
    {"Info1", "Analyse1", "Analyse", Qt::CTRL | Qt::Key_I, kNone, true, analyseDrawing},
    {"Info1", "Hilfe1", "&Hilfe", QKeyCombination(Qt::Key_F1), kNone, true, showHelp},
    {"Info1", nullptr, nullptr, kNone, kNone, true, nullptr},
    {"Info1", "About1", "&About", kNone, kNone, true, showAbout},

    // The buttons beside the drawing; the palette's radio buttons are not
    // here: each stores its code (PaletteButtonClick).
    {nullptr, "Button1", nullptr, kNone, kNone, true, Button1Click},
    {nullptr, "Button2", nullptr, kNone, kNone, true, FullRepaint},
    {nullptr, "BitBtn1", nullptr, kNone, kNone, true, BitBtn1Click},
    {nullptr, "SpeedButton81", nullptr, kNone, kNone, true, SpeedButton81Click},
    {nullptr, "SpeedButton11", nullptr, kNone, kNone, true, colourButton<Control::SpeedButton11>},
    {nullptr, "SpeedButton12", nullptr, kNone, kNone, true, colourButton<Control::SpeedButton12>},
    {nullptr, "SpeedButton13", nullptr, kNone, kNone, true, colourButton<Control::SpeedButton13>},
    {nullptr, "SpeedButton14", nullptr, kNone, kNone, true, colourButton<Control::SpeedButton14>},
    {nullptr, "SpeedButton15", nullptr, kNone, kNone, true, colourButton<Control::SpeedButton15>},
    {nullptr, "SpeedButton16", nullptr, kNone, kNone, true, colourButton<Control::SpeedButton16>},
    {nullptr, "SpeedButton17", nullptr, kNone, kNone, true, SpeedButton17Click},
    {nullptr, "SpeedButton45", nullptr, kNone, kNone, true, SpeedButton45Click},
    {nullptr, "SpeedButton46", nullptr, kNone, kNone, true, SpeedButton46Click},
    {nullptr, "SpeedButton47", nullptr, kNone, kNone, true, SpeedButton47Click},
    {nullptr, "SpeedButton48", nullptr, kNone, kNone, true, SpeedButton48Click},
};

}  // namespace

std::span<const MenuRow> mainMenus()
{
    return kMenus;
}

std::span<const CommandRow> commandTable()
{
    return kCommands;
}

const CommandRow* findCommand(std::string_view name)
{
    for (const CommandRow& row : kCommands) {
        if (row.name && name == row.name)
            return &row;
    }
    return nullptr;
}

}  // namespace veltrano
