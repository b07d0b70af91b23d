// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Starts like the program with a board that sounds the buzzer (a variable
// voltage at 5,0 V wired to it) and a sound sensor, so the microphone
// records too, lets the tone play, and closes the window
// the way "Afsluiten" does. Used by scripts/toon_herhaal.sh to prove that
// shutting down with the tone playing never crashes.
//   kwintel_toon_proef [ms to play, default 400] [poort]
// With "poort" the buzzer drives the emulated speaker port instead of Beep.
// The arguments may come in either order.
#include "bordbouw.h"

#include "modules/regelaars.h"
#include "modules/soorten/variabelespanning.h"
#include "platform/toon.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));
    int ms = 400;
    bool poort = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "poort") == 0)
            poort = true;
        else
            ms = std::max(0, std::atoi(argv[i]));
    }

    TfKwintelvlak form;
    if (poort)
        isNT = false;
    auto* spanning = qobject_cast<TVariabeleSpanningMod*>(
        form.maakModule(bordbouw::soortVan(form.miVariabeleSpanning), 40, 40));
    TModule* zoemer = form.maakModule(bordbouw::soortVan(form.miZoemer), 140, 40);
    spanning->regelaar->setValue(50);
    bordbouw::verbind(spanning, 1, zoemer, 1);
    // A sound sensor, so that the microphone records as well.
    form.maakModule(bordbouw::soortVan(form.miGeluidSensor), 240, 40);
    form.show();

    QTimer::singleShot(ms, [&] {
        std::printf("toon: %s\n", platform::toonGespeeld() ? "gespeeld" : "stil");
        std::fflush(stdout);
        form.miAfsluitenClick();
    });
    return QApplication::exec();
}
