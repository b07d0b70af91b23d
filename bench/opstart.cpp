// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Start-up cost: building the main window and painting the board once.
#include "app/kwintelvlak.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

static void BM_VensterBouwenEnTekenen(benchmark::State& state) {
    for (auto _ : state) {
        TfKwintelvlak form;
        QImage doek(form.size(), QImage::Format_RGB32);
        form.render(&doek);
        benchmark::DoNotOptimize(doek.constBits());
    }
}
BENCHMARK(BM_VensterBouwenEnTekenen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
