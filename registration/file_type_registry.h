#pragma once
// Registration of the .cfd file type: at every start the program makes sure
// that formula files open with it, show its icon and can be created empty
// from the file manager. Each platform implements the small interface
// FileTypeRegistration on its own store (the class registry under
// HKEY_CLASSES_ROOT, or the freedesktop files on Linux); the check-then-write
// procedure on top of it is the same everywhere.

#include <functional>
#include <memory>
#include <string>

namespace veltrano {

enum class RegistrationStatus {
    AlreadyCurrent,    // the registration names the program; nothing written
    Written,           // the whole registration was written
    NoProgramPath,     // no path that a double-click could start
    NotAllowed,        // the platform does not register this program at all
    NotAdministrator,  // it would have to be written, but the rights lack
    WriteFailed,       // writing stopped at failedAt; what came before stays
};

struct RegistrationResult {
    RegistrationStatus status = RegistrationStatus::Written;
    // WriteFailed only: the key or file that could not be written.
    std::string failedAt;
};

// The registration on one platform's store. Failures are results; nothing
// here throws on purpose.
class FileTypeRegistration {
public:
    virtual ~FileTypeRegistration() = default;

    // True when formula files already open with exePath, exactly (letter
    // case matters). Only reads; a check never leaves anything behind.
    virtual bool isCurrent(const std::string& exePath) const = 0;

    // Writes the whole registration for exePath, part by part in a fixed
    // order. The first part that cannot be written ends the writing; the
    // parts before it stay written. Asks for no rights: the caller has.
    virtual RegistrationResult registerFileType(const std::string& exePath) = 0;
};

// True when the process runs with administrator rights: on Windows its
// token holds BUILTIN\Administrators as an enabled group, on other systems
// its effective user is root.
bool IsUserAdmin();

using AdminCheck = std::function<bool()>;

// The registration of the platform the program runs on.
std::unique_ptr<FileTypeRegistration> makePlatformRegistration();

// Whether this platform lets the program at exePath be registered at all.
// On freedesktop systems the registration is system-wide, so only an
// installed program is registered there, and only when no package of it
// already claims the type (see registration_linux.h); Windows always lets it.
bool platformAllowsRegistration(const std::string& exePath);

// Checks the registration and, when it does not name exePath and the
// process is an administrator, writes it. The administrator test is asked
// only when something must be written.
RegistrationResult registerFileType(FileTypeRegistration& registration, const std::string& exePath,
                                    const AdminCheck& isUserAdmin = IsUserAdmin);

// The start-up call: the same on the platform's own registration, when the
// platform allows it. Shows nothing; the start-up goes on whatever it
// returns.
RegistrationResult registerFileType(const std::string& exePath);

}  // namespace veltrano
