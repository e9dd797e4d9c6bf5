#pragma once
// Editor: everything one running editor has, owned by its main window. It
// is a plain aggregate: the handlers of the palette, the pointer and the
// commands are free functions that receive it. A test builds a fresh one on
// its own WorkDir with a fake UI port.

#include "document/document_state.h"
#include "document/element_record.h"
#include "document/file_system.h"
#include "document/undo_history.h"
#include "document/working_file.h"
#include "editor/editing_state.h"
#include "editor/painted_page.h"
#include "editor/tool_state.h"
#include "editor/ui_port.h"
#include "render/canvas.h"
#include "render/view_state.h"

#include <QImage>

#include <string>
#include <vector>

namespace veltrano {

struct Editor {
    // Binds the working file to workDir's temp.dat; touches no file. The
    // page starts blank, all state at its start-up values.
    Editor(FileSystem& fs, UiPort& ui, std::string workDir);

    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    FileSystem& fileSystem;
    UiPort& ui;
    WorkingFile workingFile;
    // The steps of undo and redo, over the working files.
    UndoHistory history{workingFile};
    DocumentState document;
    ToolState tools;
    EditingState editing;
    ViewState view;
    // The palette window's TemplatePrefix, "30" or "40": the first part of
    // every template file name; empty until the palette is first opened.
    std::string TemplatePrefix;
    // The program's folder, with its trailing separator: where the
    // templates and the help are found.
    std::string ProgramDir;
    QImage page;    // the surface of I1, 1200 x 1000
    Canvas canvas;  // draws on page
    // What page shows since the last full repaint (editor/full_repaint).
    PaintedPage painted;

    // "Zuletzt geöffnet", newest first (commands/recent_files).
    std::vector<std::string> recentFiles;

    // False when start-up found no WorkDir it could create and lock: there
    // is no temp.dat, the page stays blank and the pointer does nothing.
    bool workDirUsable = true;

    // Storage reused by every repaint pass so that a repaint does not
    // allocate; its content is read afresh each time and means nothing
    // between passes.
    std::vector<ElementRecord> passRecords;
};

}  // namespace veltrano
