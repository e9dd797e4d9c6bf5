#pragma once
// The keys and values of the .cfd file type in the Windows class registry
// (below HKEY_CLASSES_ROOT), in the order in which they are written. The
// Windows backend writes this table; it is plain data, built on every
// platform so that it can be checked anywhere.

#include <string>
#include <vector>

namespace veltrano {

// Key paths, relative to the root of the class registry.
inline constexpr const char* kExtensionKey = ".cfd";
inline constexpr const char* kShellNewKey = ".cfd\\ShellNew";
inline constexpr const char* kFileClassKey = "cfdfile";
inline constexpr const char* kShellKey = "cfdfile\\Shell";
inline constexpr const char* kOpenCommandKey = "cfdfile\\Shell\\Open\\command";
inline constexpr const char* kDefaultIconKey = "cfdfile\\DefaultIcon";

// The empty name stands for a key's unnamed default value.
inline constexpr const char* kDefaultValue = "";

struct RegistryValue {
    std::string name;
    std::string data;
};

struct RegistryKeyValues {
    std::string key;
    std::vector<RegistryValue> values;
};

// The command the Explorer runs to open a formula file: the program's path
// in double quotes, a blank, and the placeholder %1 in double quotes.
std::string openCommand(const std::string& exePath);

// The whole registration for the executable at exePath, key by key in the
// order in which it is written.
std::vector<RegistryKeyValues> fileTypeTable(const std::string& exePath);

}  // namespace veltrano
