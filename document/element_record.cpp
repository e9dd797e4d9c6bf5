#include "document/element_record.h"

#include <algorithm>

namespace veltrano {

RecordBytes encodeRecord(const ElementRecord& record)
{
    RecordBytes out{};
    auto put = [&out](std::size_t at, const Real6& r) { std::copy(r.bytes.begin(), r.bytes.end(), out.begin() + at); };
    put(0, record.x1);
    put(6, record.y1);
    put(12, record.x2);
    put(18, record.y2);
    const auto color = std::uint32_t(record.color);
    for (int i = 0; i < 4; ++i)
        out[24 + i] = std::uint8_t(color >> (8 * i));
    out[28] = std::uint8_t(record.kind);
    out[29] = std::uint8_t(record.kind >> 8);
    out[30] = record.reserved[0];
    out[31] = record.reserved[1];
    return out;
}

ElementRecord decodeRecord(const std::uint8_t* bytes)
{
    ElementRecord r;
    auto get = [bytes](std::size_t at, Real6& target) { std::copy(bytes + at, bytes + at + 6, target.bytes.begin()); };
    get(0, r.x1);
    get(6, r.y1);
    get(12, r.x2);
    get(18, r.y2);
    std::uint32_t color = 0;
    for (int i = 0; i < 4; ++i)
        color |= std::uint32_t(bytes[24 + i]) << (8 * i);
    r.color = std::int32_t(color);
    r.kind = ElementKind(bytes[28] | (bytes[29] << 8));
    r.reserved = {bytes[30], bytes[31]};
    return r;
}

ElementRecord makeRecord(ElementKind kind, double x1, double y1, double x2, double y2, std::int32_t color)
{
    ElementRecord r;
    r.kind = kind;
    r.setX1(x1);
    r.setY1(y1);
    r.setX2(x2);
    r.setY2(y2);
    r.color = color;
    return r;
}

}  // namespace veltrano
