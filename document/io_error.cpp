#include "document/io_error.h"

#include <cerrno>

namespace veltrano {

std::string ioErrorMessage(int errorNumber, const std::string& fileName)
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
    // Beyond the classic texts: errors a POSIX system adds.
    case ELOOP:
        return "Zu viele symbolische Verknüpfungen";
    case EISDIR:
        return "Ist ein Ordner";
    case EFBIG:
        return "Datei zu groß";
    case kNotRegularFile:
        if (fileName.empty())
            return "Keine gewöhnliche Datei";
        return "„" + fileName.substr(fileName.find_last_of('/') + 1) + "“ ist keine gewöhnliche Datei";
    default:
        return "E/A-Fehler " + std::to_string(errorNumber);
    }
}

IoError::IoError(int errorNumber) : std::runtime_error(ioErrorMessage(errorNumber)), m_errorNumber(errorNumber) {}

IoError::IoError(int errorNumber, const std::string& fileName)
    : std::runtime_error(ioErrorMessage(errorNumber, fileName)), m_errorNumber(errorNumber)
{
}

}  // namespace veltrano
