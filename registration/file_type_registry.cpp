#include "registration/file_type_registry.h"

namespace veltrano {

RegistrationResult registerFileType(FileTypeRegistration& registration, const std::string& exePath,
                                    const AdminCheck& isUserAdmin)
{
    if (exePath.empty())
        return {RegistrationStatus::NoProgramPath, {}};
    if (registration.isCurrent(exePath))
        return {RegistrationStatus::AlreadyCurrent, {}};
    if (!isUserAdmin || !isUserAdmin())
        return {RegistrationStatus::NotAdministrator, {}};
    return registration.registerFileType(exePath);
}

RegistrationResult registerFileType(const std::string& exePath)
{
    if (exePath.empty())
        return {RegistrationStatus::NoProgramPath, {}};
    if (!platformAllowsRegistration(exePath))
        return {RegistrationStatus::NotAllowed, {}};
    return registerFileType(*makePlatformRegistration(), exePath);
}

}  // namespace veltrano
