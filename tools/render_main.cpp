// veltrano-render: formula files to pictures without a window. See
// renderUsage() in batch_converter.cpp for the command line (English) and
// tools/README.md. Needs no display: it picks the offscreen platform unless
// QT_QPA_PLATFORM says otherwise.
//
// Exit codes: 0 every output written, 1 some input unreadable, output
// unwritable or memory exhausted (that output is then left as it was),
// 2 wrong arguments.
#include "document/file_system.h"
#include "tools/batch_converter.h"
#include "tools/structure_converter.h"

#include <QDir>
#include <QGuiApplication>

#include <cstddef>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#ifndef VELTRANO_VERSION
#define VELTRANO_VERSION "unknown"
#endif

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // The drawing as chemistry: formulas, or MOL/SDF/SMILES and back.
    // "--formula" and "--json" come first, in either order, then the files.
    bool formula = false, json = false;
    std::size_t first = 0;
    for (; first < arguments.size() && (arguments[first] == "--formula" || arguments[first] == "--json"); ++first)
        (arguments[first] == "--formula" ? formula : json) = true;
    if (formula) {
        const std::vector<std::string> files(arguments.begin() + std::ptrdiff_t(first), arguments.end());
        for (const std::string& file : files) {
            if (file.starts_with("--")) {
                std::cerr << "veltrano-render: " << file << ": options come before the files\n"
                          << veltrano::renderSynopsis();
                return 2;
            }
        }
        if (files.empty()) {
            std::cerr << veltrano::renderSynopsis();
            return 2;
        }
        return veltrano::printFormulas(veltrano::FileSystem::system(), files, json, std::cout, std::cerr) == 0 ? 0 : 1;
    }
    if (arguments.size() == 2 && veltrano::isStructureConversion(arguments[0], arguments[1]))
        return veltrano::convertStructure(veltrano::FileSystem::system(), arguments[0], arguments[1], std::cerr);
    const veltrano::RenderCommand command = veltrano::parseRenderCommand(arguments);
    switch (command.action) {
    case veltrano::RenderCommand::Action::Help:
        std::cout << veltrano::renderUsage();
        return 0;
    case veltrano::RenderCommand::Action::Version:
        std::cout << "veltrano-render " VELTRANO_VERSION "\n";
        return 0;
    case veltrano::RenderCommand::Action::Wrong:
        if (!arguments.empty())
            std::cerr << "veltrano-render: " << command.error << "\n";
        std::cerr << veltrano::renderSynopsis();
        return 2;
    case veltrano::RenderCommand::Action::Convert:
        break;
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (!command.outDir.empty() && !QDir().mkpath(QString::fromStdString(command.outDir))) {
        std::cerr << "veltrano-render: " << command.outDir << ": the folder cannot be created\n";
        return 1;
    }

    // Progress goes to whichever of the two a person watches.
    std::ostream* progress = nullptr;
    if (isatty(STDERR_FILENO))
        progress = &std::cerr;
    else if (isatty(STDOUT_FILENO))
        progress = &std::cout;
    const int failed =
        veltrano::convertAll(veltrano::FileSystem::system(), command.tasks, command.options, std::cerr, progress);
    return failed == 0 ? 0 : 1;
}
