#include "registration/file_type_registry.h"

namespace veltrano {

namespace {

constexpr const char* kCommandTail = "\" \"%1\"";

// True when the registration already opens formula files with exePath.
// The command key is only read, never created: an empty key left behind by
// a mere check would hide a later, complete registration.
bool registrationIsCurrent(FileTypeRegistry& registry, const std::string& exePath)
{
    if (!registry.open(RegistryAccess::Read))
        return false;
    if (!registry.keyExists(kExtensionKey))
        return false;
    const std::optional<std::string> command = registry.readString(kOpenCommandKey, kDefaultValue);
    return command && *command == openCommand(exePath);
}

// Writes the table key by key. A key that cannot be opened, or whose values
// cannot be stored, ends the writing; the keys before it stay written.
void writeTable(FileTypeRegistry& registry, const std::string& exePath)
{
    if (!registry.open(RegistryAccess::AllAccess))
        return;
    for (const RegistryKeyValues& key : fileTypeTable(exePath)) {
        if (!registry.openKey(key.key))
            return;
        bool stored = true;
        for (const RegistryValue& value : key.values)
            stored = stored && registry.writeString(value.name, value.data);
        if (!registry.closeKey() || !stored)
            return;
    }
}

}  // namespace

std::string openCommand(const std::string& exePath)
{
    return "\"" + exePath + kCommandTail;
}

std::optional<std::string> exePathFromOpenCommand(const std::string& command)
{
    const std::string tail = kCommandTail;
    if (command.size() < 1 + tail.size() || command.front() != '"'
        || command.compare(command.size() - tail.size(), tail.size(), tail) != 0)
        return std::nullopt;
    return command.substr(1, command.size() - 1 - tail.size());
}

std::vector<RegistryKeyValues> fileTypeTable(const std::string& exePath)
{
    return {
        {kExtensionKey, {{kDefaultValue, kFileClassKey}}},
        {kShellNewKey, {{"NullFile", ""}}},
        {kFileClassKey, {{kDefaultValue, "Strukturformel"}, {"NeverShowExt", ""}}},
        {kShellKey, {{kDefaultValue, "Open"}}},
        {kOpenCommandKey, {{kDefaultValue, openCommand(exePath)}}},
        {kDefaultIconKey, {{kDefaultValue, exePath + ",0"}}},
    };
}

void registerFileType(FileTypeRegistry& registry, const std::string& exePath,
                      const AdminCheck& isUserAdmin)
{
    // Without a path there is nothing a double-click could start.
    if (exePath.empty())
        return;
    try {
        if (!registrationIsCurrent(registry, exePath) && isUserAdmin && isUserAdmin())
            writeTable(registry, exePath);
    } catch (...) {
        // The registration never stops the start-up.
    }
    try {
        registry.release();
    } catch (...) {
    }
}

void registerFileType(const std::string& exePath)
{
    try {
        if (!platformAllowsRegistration(exePath))
            return;
        if (std::unique_ptr<FileTypeRegistry> registry = makePlatformFileTypeRegistry())
            registerFileType(*registry, exePath);
    } catch (...) {
    }
}

}  // namespace veltrano
