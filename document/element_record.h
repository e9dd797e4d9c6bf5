#pragma once
// ElementRecord: one drawing element, 32 bytes on disk, little-endian:
// x1, y1, x2, y2 (Real6 each), color (int32), kind (uint16), reserved (2 bytes).
// The coordinates are kept as their stored bytes so that copying and
// rewriting a record never changes a bit of what it holds.

#include "document/real6.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace veltrano {

using ElementKind = std::uint16_t;

struct ElementRecord {
    Real6 x1, y1, x2, y2;
    std::int32_t color = 0;
    ElementKind kind = 0;
    std::array<std::uint8_t, 2> reserved{};

    double X1() const { return x1.toDouble(); }
    double Y1() const { return y1.toDouble(); }
    double X2() const { return x2.toDouble(); }
    double Y2() const { return y2.toDouble(); }
    void setX1(double v) { x1 = Real6::fromDouble(v); }
    void setY1(double v) { y1 = Real6::fromDouble(v); }
    void setX2(double v) { x2 = Real6::fromDouble(v); }
    void setY2(double v) { y2 = Real6::fromDouble(v); }

    friend bool operator==(const ElementRecord&, const ElementRecord&) = default;
};

constexpr std::size_t kRecordSize = 32;
using RecordBytes = std::array<std::uint8_t, kRecordSize>;

// The in-memory struct happens to have the file layout; the explicit byte
// conversion below is what makes the format independent of the host.
static_assert(sizeof(ElementRecord) == kRecordSize);
static_assert(offsetof(ElementRecord, color) == 24);
static_assert(offsetof(ElementRecord, kind) == 28);
static_assert(offsetof(ElementRecord, reserved) == 30);

RecordBytes encodeRecord(const ElementRecord& record);
ElementRecord decodeRecord(const std::uint8_t* bytes);

// A record of a two-point kind at the given points, or a text kind at its
// top-left corner with font size in x2.
ElementRecord makeRecord(ElementKind kind, double x1, double y1, double x2, double y2,
                         std::int32_t color = 0);

}  // namespace veltrano
