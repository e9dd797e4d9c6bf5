#include "tools/desktop_integration.h"

#include "tools/registration_api.h"

#include <stdexcept>

namespace veltrano::desktop {

namespace {

// The registration derives the type from the class name that `.cfd` points
// at; the prefix is the one for types outside the registered trees.
constexpr const char* kMimeTypePrefix = "application/x-";

constexpr const char* kEnglishComment = "Draw chemical structural formulas";
constexpr const char* kGermanComment = "Chemische Strukturformeln zeichnen";
constexpr const char* kEnglishGenericName = "Structural Formula Editor";
constexpr const char* kGermanGenericName = "Strukturformel-Editor";
constexpr const char* kEnglishTypeName = "Structural formula";
constexpr const char* kCategories = "Education;Science;Chemistry;";
constexpr const char* kEnglishKeywords = "chemistry;structural formula;molecule;ring;benzene;";
constexpr const char* kGermanKeywords = "Chemie;Strukturformel;Molekül;Ring;Benzol;";

// The default value of `key` in the registration's table.
std::string registeredDefault(const char* key)
{
    for (const RegistryKeyValues& entry : fileTypeTable(kCommand)) {
        if (entry.key != key)
            continue;
        for (const RegistryValue& value : entry.values) {
            if (value.name == kDefaultValue)
                return value.data;
        }
    }
    throw std::logic_error(std::string("the file-type table has no default value for ") + key);
}

// Sets `key` in a desktop entry of one group: its line is replaced where it
// exists, else the line is added at the end.
std::string withValue(const std::string& entry, const std::string& key, const std::string& value)
{
    const std::string line = key + "=" + value + "\n";
    const std::string prefix = key + "=";
    std::size_t start = 0;
    while (start < entry.size()) {
        const std::size_t end = entry.find('\n', start);
        const std::size_t next = end == std::string::npos ? entry.size() : end + 1;
        if (entry.compare(start, prefix.size(), prefix) == 0)
            return entry.substr(0, start) + line + entry.substr(next);
        start = next;
    }
    return entry + line;
}

QByteArray pngOrThrow(int size)
{
    QByteArray png = fileTypeIconPng(size);
    if (png.isEmpty())
        throw std::runtime_error("the icon of size " + std::to_string(size) + " cannot be encoded");
    return png;
}

}  // namespace

const std::vector<int>& iconSizes()
{
    static const std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

std::string formulaMimeType()
{
    return kMimeTypePrefix + registeredDefault(kExtensionKey);
}

std::string formulaIconName()
{
    std::string name = formulaMimeType();
    for (char& c : name) {
        if (c == '/')
            c = '-';
    }
    return name;
}

std::string desktopEntry()
{
    std::string entry = applicationEntry(kApplicationName, std::string(kCommand) + " %f", kIconName,
                                         formulaMimeType());
    entry = withValue(entry, "Categories", kCategories);
    entry = withValue(entry, "Name[de]", kApplicationName);
    entry = withValue(entry, "GenericName", kEnglishGenericName);
    entry = withValue(entry, "GenericName[de]", kGermanGenericName);
    entry = withValue(entry, "Comment", kEnglishComment);
    entry = withValue(entry, "Comment[de]", kGermanComment);
    entry = withValue(entry, "Keywords", kEnglishKeywords);
    entry = withValue(entry, "Keywords[de]", kGermanKeywords);
    return entry;
}

std::string mimePackage()
{
    // The registration describes the type in German only; the package adds
    // the English default and keeps the German as its translation.
    std::string package = veltrano::mimePackage(formulaMimeType(), kEnglishTypeName, formulaIconName(),
                                                std::string("*") + kExtensionKey);
    const std::string commentEnd = "</comment>\n";
    const std::size_t at = package.find(commentEnd);
    if (at == std::string::npos)
        throw std::logic_error("the MIME package has no comment");
    const std::string german =
        "    <comment xml:lang=\"de\">" + registeredDefault(kFileClassKey) + "</comment>\n";
    return package.insert(at + commentEnd.size(), german);
}

std::vector<DataFile> dataFiles()
{
    std::vector<DataFile> files;
    files.push_back({std::string("applications/") + kDesktopId, QByteArray::fromStdString(desktopEntry())});
    files.push_back({std::string("mime/packages/") + kMimePackageName, QByteArray::fromStdString(mimePackage())});
    const std::string typeIcon = formulaIconName();
    for (int size : iconSizes()) {
        const std::string folder = "icons/hicolor/" + std::to_string(size) + "x" + std::to_string(size);
        const QByteArray png = pngOrThrow(size);
        files.push_back({folder + "/apps/" + kIconName + ".png", png});
        files.push_back({folder + "/mimetypes/" + typeIcon + ".png", png});
    }
    files.push_back({std::string("icons/hicolor/scalable/apps/") + kIconName + ".svg", fileTypeIconSvg()});
    files.push_back({"icons/hicolor/scalable/mimetypes/" + typeIcon + ".svg", fileTypeIconSvg()});
    return files;
}

}  // namespace veltrano::desktop
