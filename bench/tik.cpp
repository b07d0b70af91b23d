// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The cost of one tick of the simulation clock on boards of 10 to 10,000
// modules (bordbouw.h), with steady levels and with every level flipping.
//   QT_QPA_PLATFORM=offscreen build/bench/kwintel_tik_bench
#include "bordbouw.h"

#include "modules/soorten/drukschakelaar.h"
#include "platform/platform.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void meetTik(benchmark::State& state, bool wisselen) {
    const int aantal = int(state.range(0));
    TfKwintelvlak form;
    form.tActie->stop(); // ticked by hand
    TDrukSchakelaarMod* knop = bordbouw::bouwKetens(form, aantal);
    for (int i = 0; i < 3; ++i)
        form.tActieTimer(); // settle
    for (auto _ : state) {
        if (wisselen)
            knop->sSchakelaar->stand = knop->sSchakelaar->stand ? 0 : 1;
        form.tActieTimer();
    }
    state.counters["modules"] = aantal;
    // Seconds per module, shown as e.g. "60n".
    state.counters["per_module"] = benchmark::Counter(
        aantal, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(state.iterations() * aantal);
    bordbouw::ruimOp(form);
}

void BM_TikStil(benchmark::State& state) {
    meetTik(state, false);
}
void BM_TikWisselend(benchmark::State& state) {
    meetTik(state, true);
}

} // namespace

BENCHMARK(BM_TikStil)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TikWisselend)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
