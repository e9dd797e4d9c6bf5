// veltrano-make-examples [FOLDER]: writes the example drawings into FOLDER
// (default "examples"): benzoesaeure.cfd, benzoic acid at bond length 30.
#include "document/file_system.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "tools/sample_documents.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: veltrano-make-examples [FOLDER]\n");
        return 2;
    }
    const std::string folder = argc == 2 ? argv[1] : "examples";
    const std::string path = folder + "/benzoesaeure.cfd";
    try {
        veltrano::writeRecords(veltrano::FileSystem::system(), path, veltrano::samples::benzoicAcid(),
                               veltrano::Durability::Flushed);
    } catch (const veltrano::IoError& error) {
        std::fprintf(stderr, "veltrano-make-examples: %s: %s\n", path.c_str(), error.what());
        return 1;
    }
    return 0;
}
