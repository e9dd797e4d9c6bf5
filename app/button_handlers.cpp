#include "app/button_handlers.h"

#include "app/hauptf.h"

namespace veltrano {

namespace {

const ButtonHandler kButtonHandlers[] = {
    {"Button1", &Thauptf::Button1Click},
    {"Button2", &Thauptf::Button2Click},
    {"BitBtn1", &Thauptf::BitBtn1Click},
    {"SpeedButton81", &Thauptf::SpeedButton81Click},
    {"SpeedButton11", &Thauptf::SpeedButton11Click},
    {"SpeedButton12", &Thauptf::SpeedButton12Click},
    {"SpeedButton13", &Thauptf::SpeedButton13Click},
    {"SpeedButton14", &Thauptf::SpeedButton14Click},
    {"SpeedButton15", &Thauptf::SpeedButton15Click},
    {"SpeedButton16", &Thauptf::SpeedButton16Click},
    {"SpeedButton17", &Thauptf::SpeedButton17Click},
    {"SpeedButton45", &Thauptf::SpeedButton45Click},
    {"SpeedButton46", &Thauptf::SpeedButton46Click},
    {"SpeedButton47", &Thauptf::SpeedButton47Click},
    {"SpeedButton48", &Thauptf::SpeedButton48Click},
};

}  // namespace

std::span<const ButtonHandler> buttonHandlers()
{
    return kButtonHandlers;
}

}  // namespace veltrano
