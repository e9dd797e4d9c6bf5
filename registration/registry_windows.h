#pragma once
// The file-type registration on Windows: the keys of registry_table.h under
// HKEY_CLASSES_ROOT, read and written through the Win32 registry calls. Key
// paths and values arrive as UTF-8 and are passed to the wide-character
// calls, so program paths outside the ANSI code page survive.

#ifdef _WIN32

#include "registration/file_type_registry.h"

namespace veltrano {

class WindowsFileTypeRegistration : public FileTypeRegistration {
public:
    // The key `.cfd` exists and the default value of the open command is
    // exactly the program's open command.
    bool isCurrent(const std::string& exePath) const override;
    // Writes the table key by key with full access, creating missing keys.
    RegistrationResult registerFileType(const std::string& exePath) override;
};

}  // namespace veltrano

#endif
