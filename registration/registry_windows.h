#pragma once
// The file-type registration on Windows: the keys under HKEY_CLASSES_ROOT,
// read and written through the Win32 registry calls. Key paths and values
// arrive as UTF-8 and are passed to the wide-character calls, so program
// paths outside the ANSI code page survive.

#ifdef _WIN32

#include "registration/file_type_registry.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace veltrano {

class WindowsFileTypeRegistry : public FileTypeRegistry {
public:
    WindowsFileTypeRegistry() = default;
    ~WindowsFileTypeRegistry() override;
    WindowsFileTypeRegistry(const WindowsFileTypeRegistry&) = delete;
    WindowsFileTypeRegistry& operator=(const WindowsFileTypeRegistry&) = delete;

    bool open(RegistryAccess access) override;
    bool keyExists(const std::string& key) override;
    std::optional<std::string> readString(const std::string& key,
                                          const std::string& name) override;
    bool openKey(const std::string& key) override;
    bool writeString(const std::string& name, const std::string& data) override;
    bool closeKey() override;
    void release() override;

private:
    REGSAM m_access = KEY_READ;
    HKEY m_key = nullptr;
    bool m_wroteValues = false;
};

}  // namespace veltrano

#endif
