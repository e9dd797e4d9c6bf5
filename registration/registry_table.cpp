#include "registration/registry_table.h"

namespace veltrano {

std::string openCommand(const std::string& exePath)
{
    return "\"" + exePath + "\" \"%1\"";
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

}  // namespace veltrano
