#include "registration/freedesktop_files.h"

#include <QXmlStreamReader>

#include <sstream>
#include <vector>

namespace veltrano {

namespace {

constexpr const char* kFileFieldCode = " %f";

constexpr const char* kEnglishGenericName = "Structural Formula Editor";
constexpr const char* kGermanGenericName = "Strukturformel-Editor";
constexpr const char* kEnglishComment = "Draw chemical structural formulas";
constexpr const char* kGermanComment = "Chemische Strukturformeln zeichnen";
constexpr const char* kEnglishTypeName = "Structural formula";
// Two main categories, so menus sorted either way list the program; the
// validator only hints at that.
constexpr const char* kCategories = "Education;Science;Chemistry;";
constexpr const char* kEnglishKeywords = "chemistry;structural formula;molecule;ring;benzene;";
constexpr const char* kGermanKeywords = "Chemie;Strukturformel;Molekül;Ring;Benzol;";
constexpr const char* kDesktopGroup = "[Desktop Entry]";
constexpr const char* kDefaultsGroup = "[Default Applications]";

// Characters that must be preceded by a backslash inside a quoted argument
// of an Exec line.
bool needsQuotedEscape(char c)
{
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

// The string escapes every desktop-entry value undergoes before anything
// else reads it.
std::string escapeValue(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::optional<std::string> unescapeValue(const std::string& value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i]) {
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 's': out += ' '; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::string withoutBlanks(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

bool isGroupHeader(const std::string& line)
{
    const std::string trimmed = withoutBlanks(line);
    return !trimmed.empty() && trimmed.front() == '[';
}

// The key of a "key=value" line, blanks around it dropped; empty otherwise.
std::string keyOf(const std::string& line)
{
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || withoutBlanks(line).front() == '#')
        return {};
    return withoutBlanks(line.substr(0, equals));
}

}  // namespace

std::string execLine(const std::string& exePath)
{
    std::string quoted = "\"";
    for (char c : exePath) {
        if (c == '%')
            quoted += "%%";
        else if (needsQuotedEscape(c))
            quoted += std::string("\\") + c;
        else
            quoted += c;
    }
    quoted += "\"";
    return escapeValue(quoted + kFileFieldCode);
}

std::optional<std::string> exePathFromExecLine(const std::string& execValue)
{
    const std::optional<std::string> exec = unescapeValue(execValue);
    if (!exec || exec->empty() || exec->front() != '"')
        return std::nullopt;
    std::string path;
    std::size_t i = 1;
    for (; i < exec->size() && (*exec)[i] != '"'; ++i) {
        const char c = (*exec)[i];
        if (c == '\\') {
            if (i + 1 == exec->size() || !needsQuotedEscape((*exec)[i + 1]))
                return std::nullopt;
            path += (*exec)[++i];
        } else if (c == '%') {
            if (i + 1 == exec->size() || (*exec)[i + 1] != '%')
                return std::nullopt;
            path += (*exec)[++i];
        } else {
            path += c;
        }
    }
    if (i == exec->size() || exec->substr(i + 1) != kFileFieldCode)
        return std::nullopt;
    return path;
}

std::optional<std::string> desktopEntryValue(const std::string& file, const std::string& key)
{
    bool inGroup = false;
    for (const std::string& line : linesOf(file)) {
        if (isGroupHeader(line)) {
            inGroup = withoutBlanks(line) == kDesktopGroup;
        } else if (inGroup && keyOf(line) == key) {
            const std::string value = line.substr(line.find('=') + 1);
            const std::size_t first = value.find_first_not_of(" \t");
            return first == std::string::npos ? std::string() : value.substr(first);
        }
    }
    return std::nullopt;
}

std::string applicationEntry(const std::string& execValue)
{
    return std::string(kDesktopGroup) + "\n"
        + "Type=Application\n"
        + "Name=" + kApplicationName + "\n"
        + "Name[de]=" + kApplicationName + "\n"
        + "GenericName=" + kEnglishGenericName + "\n"
        + "GenericName[de]=" + kGermanGenericName + "\n"
        + "Comment=" + kEnglishComment + "\n"
        + "Comment[de]=" + kGermanComment + "\n"
        + "Exec=" + execValue + "\n"
        + "Icon=" + kProgramIconName + "\n"
        + "MimeType=" + kFormulaMimeType + ";\n"
        + "Terminal=false\n"
        + "Categories=" + kCategories + "\n"
        + "Keywords=" + kEnglishKeywords + "\n"
        + "Keywords[de]=" + kGermanKeywords + "\n";
}

std::string templateEntry(const std::string& name, const std::string& url,
                          const std::string& icon)
{
    return std::string(kDesktopGroup) + "\n"
        + "Type=Link\n"
        + "Name=" + escapeValue(name) + "\n"
        + "URL=" + escapeValue(url) + "\n"
        + "Icon=" + escapeValue(icon) + "\n";
}

std::string mimePackage()
{
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")
        + "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        + "  <mime-type type=\"" + kFormulaMimeType + "\">\n"
        + "    <comment>" + kEnglishTypeName + "</comment>\n"
        + "    <comment xml:lang=\"de\">" + kFormulaTypeName + "</comment>\n"
        + "    <icon name=\"" + kFormulaIconName + "\"/>\n"
        + "    <glob pattern=\"" + kFormulaGlob + "\"/>\n"
        + "  </mime-type>\n"
        + "</mime-info>\n";
}

bool mimePackageDeclaresGlob(const std::string& package, const std::string& glob)
{
    QXmlStreamReader reader(QByteArray::fromStdString(package));
    bool inType = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"mime-type")
            inType = true;
        else if (reader.isEndElement() && reader.name() == u"mime-type")
            inType = false;
        else if (inType && reader.isStartElement() && reader.name() == u"glob"
                 && reader.attributes().value(QLatin1String("pattern")).toString().toStdString() == glob)
            return true;
    }
    return false;
}

std::string withDefaultApplication(const std::string& existing, const std::string& mimeType,
                                   const std::string& desktopId)
{
    std::vector<std::string> lines = linesOf(existing);
    const std::string entry = mimeType + "=" + desktopId;

    std::size_t header = 0;
    while (header < lines.size() && withoutBlanks(lines[header]) != kDefaultsGroup)
        ++header;
    if (header == lines.size()) {
        if (!lines.empty() && !withoutBlanks(lines.back()).empty())
            lines.emplace_back();
        lines.emplace_back(kDefaultsGroup);
        lines.push_back(entry);
    } else {
        std::size_t insertAt = header + 1;
        bool replaced = false;
        for (std::size_t i = header + 1; i < lines.size() && !isGroupHeader(lines[i]); ++i) {
            if (keyOf(lines[i]) == mimeType) {
                lines[i] = entry;
                replaced = true;
                break;
            }
            if (!withoutBlanks(lines[i]).empty())
                insertAt = i + 1;
        }
        if (!replaced)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
    }

    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

}  // namespace veltrano
