// One tick of the About window's cubes: the angles advanced and the frame
// buffer painted from the visible faces. The window does this every 20 ms
// while it is shown, so the time of one tick divided by 20 ms is the share of
// one core the cubes take (the window's copy of the two squares comes on top).
#include "render/about_cubes.h"

#include <benchmark/benchmark.h>

#include <QColor>

namespace {

using namespace veltrano;

void cubeTick(benchmark::State& state)
{
    const QImage background = makeCubeBackground(QColor(240, 240, 240));
    QImage frame;
    CubeAngles angles;
    for (auto _ : state) {
        advanceCubeAngles(angles);
        paintCubeFrame(frame, background, angles);
        benchmark::DoNotOptimize(frame.constBits());
    }
}

}  // namespace

BENCHMARK(cubeTick)->Name("About/cubeTick")->Unit(benchmark::kMicrosecond);
