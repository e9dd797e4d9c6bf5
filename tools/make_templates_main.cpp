// veltrano-make-templates [FOLDER]: writes the 46 template files of the
// palette (30NAME.cfd and 40NAME.cfd for each of its 23 templates) into
// FOLDER (default "data/struk"), creating it when missing.
#include "document/io_error.h"
#include "tools/template_geometry.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: veltrano-make-templates [FOLDER]\n");
        return 2;
    }
    const std::string folder = argc == 2 ? argv[1] : "data/struk";
    try {
        std::filesystem::create_directories(folder);
        veltrano::templates::writeTemplateFiles(folder);
    } catch (const veltrano::IoError& error) {
        std::fprintf(stderr, "veltrano-make-templates: %s: %s\n", folder.c_str(), error.what());
        return 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "veltrano-make-templates: %s\n", error.what());
        return 1;
    }
    return 0;
}
