#pragma once
// A fresh editor on its own temporary WorkDir with a scripted UI port, as
// every editor test needs it.

#include "document/file_system.h"
#include "document/record_file.h"
#include "editor/editor.h"
#include "support/fake_ui_port.h"
#include "support/file_helpers.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>
#include <vector>

namespace veltrano::test {

class EditorTest : public ::testing::Test {
protected:
    QTemporaryDir workDir;
    FakeUiPort ui;
    Editor editor{FileSystem::system(), ui, workDir.path().toStdString()};

    // temp.dat holds exactly these records.
    void writeDocument(const std::vector<ElementRecord>& records)
    {
        writeRecords(FileSystem::system(), editor.workingFile.path(), records);
    }
};

}  // namespace veltrano::test
