#pragma once
// Registration of the .cfd file type: at every start the program makes sure
// that formula files open with it, show its icon and can be created empty
// from the file manager. The registration is a small tree of keys holding
// string values, exactly as the Windows class registry stores it; each
// platform's backend maps that tree onto its own store (the registry under
// HKEY_CLASSES_ROOT, or the freedesktop files on Linux).

#include <functional>
#include <memory>
#include <optional>
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

// The command the file manager runs to open a formula file: the program's
// path in double quotes, a blank, and the placeholder %1 in double quotes.
std::string openCommand(const std::string& exePath);

// The inverse of openCommand; nothing when the command has another form.
std::optional<std::string> exePathFromOpenCommand(const std::string& command);

// The whole registration for the executable at exePath, key by key in the
// order in which it is written.
std::vector<RegistryKeyValues> fileTypeTable(const std::string& exePath);

enum class RegistryAccess { Read, AllAccess };

// One session on the class registry: open, read or write keys, release.
// Every operation reports failure by its result; none of them throws on
// purpose, but callers guard against it all the same.
class FileTypeRegistry {
public:
    virtual ~FileTypeRegistry() = default;

    // Starts (or switches) the session to the given access.
    virtual bool open(RegistryAccess access) = 0;
    virtual bool keyExists(const std::string& key) = 0;
    // The string value `name` of `key`; nothing when the key or the value is
    // missing. Reading never creates a key.
    virtual std::optional<std::string> readString(const std::string& key,
                                                  const std::string& name) = 0;
    // Opens `key` for writing, creating it when missing; false when it can
    // be neither opened nor created.
    virtual bool openKey(const std::string& key) = 0;
    virtual bool writeString(const std::string& name, const std::string& data) = 0;
    // Closes the key of openKey; false when its values could not be stored.
    virtual bool closeKey() = 0;
    // Ends the session.
    virtual void release() = 0;
};

// True when the process runs with administrator rights: on Windows its
// token holds BUILTIN\Administrators as an enabled group, on other systems
// its effective user is root.
bool IsUserAdmin();

using AdminCheck = std::function<bool()>;

// The registry of the platform the program runs on.
std::unique_ptr<FileTypeRegistry> makePlatformFileTypeRegistry();

// Checks the registration and, when it does not point at exePath and the
// process is an administrator, writes the whole table. The administrator
// test is asked only when something must be written. Never throws and
// reports nothing: a registration that fails is simply skipped.
void registerFileType(FileTypeRegistry& registry, const std::string& exePath,
                      const AdminCheck& isUserAdmin = IsUserAdmin);

// Whether this platform lets the program at exePath be registered at all.
// On freedesktop systems the registration is system-wide, so only an
// installed program is registered there, and only when no package of it
// already claims the type (see registry_linux.h); Windows always lets it.
bool platformAllowsRegistration(const std::string& exePath);

// The start-up call: the same on the platform's own registry, when the
// platform allows it.
void registerFileType(const std::string& exePath);

}  // namespace veltrano
