#include "editor/typed_text.h"

#include "render/code_pages.h"

#include <QChar>
#include <QList>
#include <QString>

namespace veltrano {

namespace {
constexpr unsigned char kFirstStorableCode = 15;
constexpr unsigned char kFirstCollidingCode = 197;
constexpr unsigned char kLastCollidingCode = 205;

bool storableCode(unsigned char code)
{
    return code >= kFirstStorableCode && (code < kFirstCollidingCode || code > kLastCollidingCode);
}

std::string namedCharacter(char32_t character)
{
    const QString code = QStringLiteral("U+%1").arg(uint(character), 4, 16, QChar(u'0')).toUpper();
    if (!QChar::isPrint(character))
        return code.toStdString();
    return (QStringLiteral("„") + QString::fromUcs4(&character, 1) + QStringLiteral("“ (") + code +
            QStringLiteral(")"))
        .toStdString();
}
}  // namespace

std::optional<ElementKind> typedCharacterKind(char32_t character)
{
    if (const auto code = windows1252FromUnicode(character)) {
        if (!storableCode(*code))
            return std::nullopt;
        return ElementKind(*code + kind::CharacterOffset);
    }
    if (const auto greek = windows1253FromUnicode(character)) {
        const auto kind = ElementKind(*greek + kind::GreekOffset);
        if (isGreek(kind))
            return kind;
    }
    return std::nullopt;
}

TypedText typedText(std::string_view utf8)
{
    TypedText typed;
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    for (const char32_t character : text.toUcs4()) {
        if (const auto kind = typedCharacterKind(character))
            typed.kinds.push_back(*kind);
        else if (typed.leftOut.find(character) == std::u32string::npos)
            typed.leftOut.push_back(character);
    }
    return typed;
}

std::string leftOutMessage(std::u32string_view characters)
{
    std::string names;
    for (const char32_t character : characters) {
        if (!names.empty())
            names += ", ";
        names += namedCharacter(character);
    }
    if (characters.size() == 1)
        return "Dieses Zeichen kann in einer Formel nicht gespeichert werden und wurde ausgelassen: " + names;
    return "Diese Zeichen können in einer Formel nicht gespeichert werden und wurden ausgelassen: " + names;
}

}  // namespace veltrano
