#ifdef _WIN32

#include "registration/registry_windows.h"

#include "registration/registry_table.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shlobj.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

namespace veltrano {

namespace {

std::wstring toWide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

std::string toUtf8(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// The unnamed default value is addressed by a null name.
const wchar_t* valueName(const std::wstring& name)
{
    return name.empty() ? nullptr : name.c_str();
}

bool keyExists(const char* key)
{
    HKEY handle = nullptr;
    const LONG result =
        RegOpenKeyExW(HKEY_CLASSES_ROOT, toWide(key).c_str(), 0, KEY_QUERY_VALUE, &handle);
    if (result == ERROR_SUCCESS)
        RegCloseKey(handle);
    // A key the process may not read exists all the same.
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

// The string value `name` of `key`; nothing when the key or the value is
// missing. Reading never creates a key.
std::optional<std::string> readString(const char* key, const char* name)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, toWide(key).c_str(), 0, KEY_QUERY_VALUE, &handle)
        != ERROR_SUCCESS)
        return std::nullopt;
    const std::wstring wideName = toWide(name);
    std::optional<std::string> value;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(handle, valueName(wideName), nullptr, &type, nullptr, &size)
            == ERROR_SUCCESS
        && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        // The stored string need not end in a null character; one more
        // element of zeros keeps the buffer terminated in any case.
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        if (RegQueryValueExW(handle, valueName(wideName), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()), &bytes)
            == ERROR_SUCCESS)
            value = toUtf8(std::wstring(buffer.data()));
    }
    RegCloseKey(handle);
    return value;
}

bool writeString(HKEY handle, const std::string& name, const std::string& data)
{
    const std::wstring wideName = toWide(name);
    const std::wstring wideData = toWide(data);
    const DWORD bytes = static_cast<DWORD>((wideData.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(handle, valueName(wideName), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wideData.c_str()), bytes)
        == ERROR_SUCCESS;
}

// Opens the key with full access, creating it when missing, writes its
// values in order and closes it. False when the key cannot be opened or a
// value cannot be set; the key is closed in either case.
bool writeKey(const RegistryKeyValues& key)
{
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, toWide(key.key).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle, nullptr)
        != ERROR_SUCCESS)
        return false;
    bool stored = true;
    for (const RegistryValue& value : key.values) {
        if (!writeString(handle, value.name, value.data)) {
            stored = false;
            break;
        }
    }
    const bool closed = RegCloseKey(handle) == ERROR_SUCCESS;
    return stored && closed;
}

}  // namespace

bool WindowsFileTypeRegistration::isCurrent(const std::string& exePath) const
{
    if (!keyExists(kExtensionKey))
        return false;
    const std::optional<std::string> command = readString(kOpenCommandKey, kDefaultValue);
    return command && *command == openCommand(exePath);
}

RegistrationResult WindowsFileTypeRegistration::registerFileType(const std::string& exePath)
{
    RegistrationResult result{RegistrationStatus::Written, {}};
    bool wroteAny = false;
    for (const RegistryKeyValues& key : fileTypeTable(exePath)) {
        if (!writeKey(key)) {
            result = {RegistrationStatus::WriteFailed, key.key};
            break;
        }
        wroteAny = true;
    }
    // The Explorer caches icons and commands of file types until told.
    if (wroteAny)
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return result;
}

bool platformAllowsRegistration(const std::string&)
{
    // The class registry names the program by its path; a second
    // installation simply takes the type over, as it always has.
    return true;
}

bool IsUserAdmin()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;

    DWORD size = 0;
    GetTokenInformation(token, TokenGroups, nullptr, 0, &size);
    std::vector<BYTE> buffer;
    if (size > 0) {
        try {
            buffer.resize(size);
        } catch (const std::bad_alloc&) {
            buffer.clear();
        }
    }

    bool admin = false;
    PSID administrators = nullptr;
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    if (!buffer.empty()
        && GetTokenInformation(token, TokenGroups, buffer.data(), size, &size)
        && AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                    DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &administrators)) {
        // A group that is present but not enabled (deny-only, as in the
        // token of an administrator without elevation) does not count.
        const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
        for (DWORD i = 0; i < groups->GroupCount; ++i) {
            if ((groups->Groups[i].Attributes & SE_GROUP_ENABLED) != 0
                && EqualSid(groups->Groups[i].Sid, administrators)) {
                admin = true;
                break;
            }
        }
    }
    if (administrators)
        FreeSid(administrators);
    CloseHandle(token);
    return admin;
}

std::unique_ptr<FileTypeRegistration> makePlatformRegistration()
{
    return std::make_unique<WindowsFileTypeRegistration>();
}

}  // namespace veltrano

#endif
