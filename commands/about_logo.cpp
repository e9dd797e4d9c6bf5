#include "commands/about_logo.h"

#include "document/element_kind.h"
#include "document/element_record.h"
#include "editor/pointer_geometry.h"
#include "render/canvas.h"
#include "render/painter.h"
#include "render/view_state.h"

#include <QFont>
#include <QPainter>

#include <array>
#include <cmath>
#include <numbers>

namespace veltrano {

namespace {

constexpr double kLogoBondLength = 40.0;
constexpr double kRingCentreX = 78.0;
constexpr double kRingCentreY = 112.0;
constexpr Colour kLogoInk = 0x803000;  // dark blue as 0x00BBGGRR
const QColor kLetteringInk(0x00, 0x30, 0x80);
const QColor kSubtitleInk(0x50, 0x50, 0x50);

// The ring's corners, the first on top, then clockwise.
std::array<PointF, 6> ringCorners()
{
    std::array<PointF, 6> corners{};
    for (int k = 0; k < 6; ++k) {
        const double angle = std::numbers::pi / 2 - k * std::numbers::pi / 3;
        corners[std::size_t(k)] = {kRingCentreX + kLogoBondLength * std::cos(angle),
                                   kRingCentreY - kLogoBondLength * std::sin(angle)};
    }
    return corners;
}

// The benzene ring as the editor builds it: six single bonds and, for every
// other bond, the inner line that "DB" adds on the side of the ring centre.
std::vector<ElementRecord> ringRecords()
{
    const std::array<PointF, 6> corners = ringCorners();
    std::vector<ElementRecord> records;
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const PointF a = corners[k];
        const PointF b = corners[(k + 1) % corners.size()];
        const ElementRecord bond = makeRecord(kind::SingleBond, a.x, a.y, b.x, b.y, kLogoInk);
        records.push_back(bond);
        if (k % 2 == 0) {
            const Segment inner =
                innerLineOf(bond, int(kRingCentreX), int(kRingCentreY), kLogoBondLength);
            records.push_back(makeRecord(kind::SingleBond, inner.first.x, inner.first.y, inner.second.x,
                                         inner.second.y, kLogoInk));
        }
    }
    // A wedge from the upper right corner toward the lettering, at 30 degrees.
    const PointF from = corners[1];
    records.push_back(makeRecord(kind::SolidWedge, from.x, from.y, from.x + kLogoBondLength * std::cos(kPi / 6),
                                 from.y - kLogoBondLength * std::sin(kPi / 6), kLogoInk));
    return records;
}

void drawLettering(QImage& logo)
{
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont name;
    name.setFamilies({"Times New Roman", "Liberation Serif"});
    name.setPixelSize(50);
    name.setBold(true);
    name.setItalic(true);
    painter.setFont(name);
    painter.setPen(kLetteringInk);
    painter.drawText(QPoint(150, 60), QStringLiteral("Veltrano"));

    QFont subtitle;
    subtitle.setFamilies({"Arial", "Liberation Sans"});
    subtitle.setPixelSize(13);
    painter.setFont(subtitle);
    painter.setPen(kSubtitleInk);
    painter.drawText(QPoint(156, 78), QStringLiteral("Strukturformeln zeichnen"));
}

}  // namespace

QImage drawAboutLogo()
{
    QImage logo(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
    logo.fill(Qt::white);
    Canvas canvas(logo);
    ViewState view;
    ResetView(view);
    for (const ElementRecord& record : ringRecords())
        PaintElement(canvas, view, record);
    drawLettering(logo);
    return logo;
}

}  // namespace veltrano
