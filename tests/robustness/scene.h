#pragma once
// A drawing in progress for the robustness tests: an editor on its own
// temporary WorkDir with a file system that can be made to fail, a
// scripted UI port, a document of four elements on the page, an older
// version saved as Formeln/alt.cfd (its name), another file Formeln/neu.cfd
// and a template Formeln/vorlage.cfd. The checks compare with what an
// independent editor on the real file system reads from the same files.

#include "editor/editor.h"
#include "support/fake_ui_port.h"
#include "support/faulty_file_system.h"
#include "support/file_helpers.h"

#include <QTemporaryDir>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace veltrano::test {

class Scene {
public:
    // Name (relative to the scene's folder) -> content.
    using Files = std::map<std::string, Bytes>;

    Scene();

    static std::vector<ElementRecord> drawing();  // temp.dat at the start
    static std::vector<ElementRecord> saved();    // alt.cfd, an older version

    std::string path(const std::string& relative) const;
    void putWorkFile(const std::string& name, const std::vector<ElementRecord>& records);

    // Marks these positions as the selection and draws its frame.
    void select(const std::vector<std::uint32_t>& positions);

    // The files a user or the editor keeps: temp.dat, the undo snapshot, the
    // copy buffer and everything in Formeln/. Scratch files, partial files,
    // the note of a save under way and the saved-state mark are left out:
    // nobody relies on them.
    Files files() const;

    // The page equals a fresh FullRepaint of temp.dat, with the frame of
    // SelRect when a selection is shown.
    void expectPageShowsTheDocument(const std::string& where);
    // A bond drawn with the pointer after a "Neu zeichnen" is appended.
    void expectDrawingStillWorks(const std::string& where);

    QTemporaryDir folder;
    FaultyFileSystem fs;
    FakeUiPort ui;
    std::optional<Editor> editor;
};

}  // namespace veltrano::test
