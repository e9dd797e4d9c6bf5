#include "app/aboutf.h"

namespace veltrano {

namespace {

constexpr int kClientWidth = 429;
constexpr int kClientHeight = 273;

}  // namespace

Taboutf::Taboutf(QWidget* parent)
    : QDialog(parent)
{
    setObjectName("Taboutf");
    setWindowTitle("Info");
    setFixedSize(kClientWidth, kClientHeight);
}

}  // namespace veltrano
