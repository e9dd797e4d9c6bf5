#pragma once
// An editor on its own temporary WorkDir, with a file system that can be
// made to fail and a scripted UI port, for the command tests. run() calls a
// command as the window's handlers do: a run-time input/output error ends
// the command and goes to the general error box.

#include "document/io_error.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "support/fake_ui_port.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrano::test {

class CommandTest : public ::testing::Test {
protected:
    CommandTest()
    {
        QDir(folder.path()).mkpath("work");
        QDir(folder.path()).mkpath("Formeln");
        editor.workingFile.createEmpty();
        editor.document.LastDir = path("Formeln/");
    }

    // A path inside the test's folder.
    std::string path(const std::string& relative) const { return folder.path().toStdString() + "/" + relative; }
    std::string tempDat() const { return editor.workingFile.path(); }

    // temp.dat holds exactly these records.
    void writeDocument(const std::vector<ElementRecord>& records)
    {
        putFileBytes(tempDat(), recordFileBytes(records));
    }
    Bytes document() const { return fileBytes(tempDat()); }

    template <typename Command>
    void run(Command command)
    {
        try {
            command(editor);
        } catch (const IoError& error) {
            ui.showError(error.what());
        }
    }

    QTemporaryDir folder;
    FaultyFileSystem fs;
    FakeUiPort ui;
    Editor editor{fs, ui, folder.path().toStdString() + "/work"};
};

}  // namespace veltrano::test
