#include "app/auswahlf.h"

namespace veltrano {

namespace {

constexpr int kClientWidth = 174;
constexpr int kClientHeight = 378;

}  // namespace

TAuswahlf::TAuswahlf(QWidget* parent)
    : QWidget(parent, Qt::Tool)
{
    setObjectName("TAuswahlf");
    setWindowTitle("Auswahl");
    setFixedSize(kClientWidth, kClientHeight);
}

}  // namespace veltrano
