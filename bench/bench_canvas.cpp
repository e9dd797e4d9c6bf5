// The canvas calls the painter makes for every element: long and short
// one-pixel lines, wide bond strokes, hostile far-away lines, labels.
#include "render/canvas.h"
#include "render/page.h"

#include <benchmark/benchmark.h>

namespace {

using veltrano::Canvas;

void LineToLong(benchmark::State& state)
{
    QImage page = veltrano::makeBlankPage();
    Canvas canvas(page);
    for (auto _ : state) {
        canvas.moveTo(3.4, 7.6);
        canvas.lineTo(1195.2, 993.1);
        benchmark::DoNotOptimize(page.constBits());
    }
}

void LineToBond(benchmark::State& state)
{
    QImage page = veltrano::makeBlankPage();
    Canvas canvas(page);
    canvas.setPenWidth(int(state.range(0)));
    for (auto _ : state) {
        canvas.moveTo(400.3, 300.7);
        canvas.lineTo(425.9, 315.2);
        benchmark::DoNotOptimize(page.constBits());
    }
}

void LineToFarAway(benchmark::State& state)
{
    QImage page = veltrano::makeBlankPage();
    Canvas canvas(page);
    canvas.setPenWidth(int(state.range(0)));
    for (auto _ : state) {
        // Through the page corner at the origin, with slope 1/2.
        canvas.moveTo(-1.3e38, -0.65e38);
        canvas.lineTo(1.7e38, 0.85e38);
        benchmark::DoNotOptimize(page.constBits());
    }
}

void TextOutLabel(benchmark::State& state)
{
    QImage page = veltrano::makeBlankPage();
    Canvas canvas(page);
    canvas.setFontName("Arial");
    canvas.setFontSize(12);
    for (auto _ : state) {
        canvas.textOut(300, 200, "COOH");
        benchmark::DoNotOptimize(page.constBits());
    }
}

// As the painter does it: the font is set again before every character.
void TextOutCharacter(benchmark::State& state)
{
    QImage page = veltrano::makeBlankPage();
    Canvas canvas(page);
    for (auto _ : state) {
        canvas.setFontName("Courier New");
        canvas.setFontSize(12);
        canvas.textOut(500, 400, "A");
        canvas.setFontName("Arial");
        benchmark::DoNotOptimize(page.constBits());
    }
}

}  // namespace

BENCHMARK(LineToLong)->Name("Canvas/lineTo_long");
BENCHMARK(LineToBond)->Name("Canvas/lineTo_bond")->Arg(1)->Arg(2)->Arg(5);
BENCHMARK(LineToFarAway)->Name("Canvas/lineTo_far")->Arg(1)->Arg(5);
BENCHMARK(TextOutLabel)->Name("Canvas/textOut_label");
BENCHMARK(TextOutCharacter)->Name("Canvas/textOut_character");
