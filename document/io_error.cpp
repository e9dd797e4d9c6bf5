#include "document/io_error.h"

#include <cerrno>

namespace veltrano {

std::string ioErrorMessage(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return "Datei nicht gefunden";
    case ENOTDIR:
    case ENAMETOOLONG:
        return "Ungültiger Dateiname";
    case EMFILE:
    case ENFILE:
        return "Zu viele geöffnete Dateien";
    case EACCES:
    case EPERM:
    case EROFS:
        return "Dateizugriff verweigert";
    case kReadPastEnd:
        return "Versuch hinter dem Dateiende zu lesen";
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return "Zu wenig Speicherplatz";
    default:
        return "E/A-Fehler " + std::to_string(errorNumber);
    }
}

IoError::IoError(int errorNumber) : std::runtime_error(ioErrorMessage(errorNumber)), m_errorNumber(errorNumber) {}

}  // namespace veltrano
