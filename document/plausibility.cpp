#include "document/plausibility.h"

#include "document/element_kind.h"

#include <cmath>

namespace veltrano {

namespace {

bool drawsSomething(ElementKind k)
{
    return traitsOf(k).drawing != Drawing::Nothing;
}

bool nearThePage(double value)
{
    return std::isfinite(value) && std::abs(value) <= kFarthestCoordinate;
}

// The fields a kind uses: both points of two-point kinds, the first point and
// the font size of text kinds (their y2 holds whatever the writer had).
bool coordinatesNearThePage(const ElementRecord& record)
{
    if (!nearThePage(record.X1()) || !nearThePage(record.Y1()) || !nearThePage(record.X2()))
        return false;
    return !isTwoPointKind(record.kind) || nearThePage(record.Y2());
}

std::string ofCount(std::size_t part, std::size_t whole)
{
    const std::string elements = whole == 1 ? " Element" : " Elementen";
    return std::to_string(part) + " von " + std::to_string(whole) + elements;
}

}  // namespace

Plausibility judgeFormulaFile(const std::vector<ElementRecord>& records, std::uint64_t fileSize)
{
    if (records.empty()) {
        if (fileSize == 0)
            return {};
        return {false, "sie enthält kein vollständiges Element, nur " + std::to_string(fileSize) + " Byte"};
    }
    std::size_t knownKinds = 0;
    std::size_t placed = 0;
    for (const ElementRecord& record : records) {
        if (!drawsSomething(record.kind))
            continue;
        ++knownKinds;
        if (coordinatesNearThePage(record))
            ++placed;
    }
    const double needed = kPlausibleShare * double(records.size());
    if (double(knownKinds) < needed)
        return {false, "nur " + ofCount(knownKinds, records.size()) + " haben eine bekannte Art"};
    if (double(placed) < needed)
        return {false, ofCount(knownKinds - placed, records.size()) + " liegen weit außerhalb jeder Zeichnung"};
    return {};
}

std::string doubtfulFileQuestion(const std::string& fileName, const Plausibility& verdict, const std::string& consequence)
{
    return "„" + fileName + "“ sieht nicht wie eine Formeldatei aus: " + verdict.reason + "." +
           (consequence.empty() ? "" : "\n\n" + consequence);
}

}  // namespace veltrano
