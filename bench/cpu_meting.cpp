// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The program as a user runs it, measured: the board window with a 1 Hz pulse
// generator wired to an LED, shown, running for 10 s. Prints the CPU time the
// whole process used during those 10 s, as a share of one core. Run it on an
// X server, e.g.
//   xvfb-run -a build/bench/kwintel_cpu_meting [seconds] [leeg]
// With "leeg" the board stays empty: what the window and its clock cost alone.
// With "kaal" there is no board at all: a bare Qt window and a precise 10 ms
// timer, the yardstick for what the program adds.
// With "herstel" the board is the same, a recovery file is kept in a fresh
// folder and the counter option is toggled every second, so that the file is
// written or removed once a second while the clock runs.
// With "toon" the buzzer's tone stream is opened too (one beep at start, then
// silence, as after a buzzer was heard), and the measurement starts once it
// has paused. With "geluidsensor" as well (after the other word or alone) a
// sound sensor stands on the board, so the microphone is heard.
// With "zoemer HZ" the pulse generator runs at HZ (1..10) and feeds a buzzer
// instead of the LED: what a beeping buzzer costs (scripts/cpu_zoemer.sh).
#include "bordbouw.h"

#include "boardfile/herstel.h"
#include "modules/regelaars.h"
#include "modules/soorten/pulsgenerator.h"
#include "platform/toon.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

// User plus system time of the whole process from /proc/self/stat, in
// seconds. The kernel counts it in ticks of 1/100 s for every program.
double cpuVolgensStat() {
    std::ifstream f("/proc/self/stat");
    std::string regel;
    std::getline(f, regel);
    // The command name stands in parentheses and may hold blanks.
    std::istringstream rest(regel.substr(regel.rfind(')') + 2));
    std::string veld;
    double utime = 0, stime = 0;
    for (int i = 3; i <= 15 && rest >> veld; ++i) {
        if (i == 14)
            utime = std::stod(veld);
        if (i == 15)
            stime = std::stod(veld);
    }
    return (utime + stime) / 100.0;
}

// Run time per thread, by the thread's name, in seconds, and how many times
// the thread was put on a core (about how often it woke up).
struct Draad {
    double tijd = 0;
    double keer = 0;
};

std::map<std::string, Draad> cpuPerDraad() {
    std::map<std::string, Draad> draden;
    for (const auto& taak : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream f(taak.path() / "schedstat");
        std::ifstream c(taak.path() / "comm");
        double ns = 0, wacht = 0, keer = 0;
        std::string naam;
        std::getline(c, naam);
        if (f >> ns >> wacht >> keer) {
            draden[naam].tijd += ns / 1e9;
            draden[naam].keer += keer;
        }
    }
    return draden;
}

// The same to the nanosecond: the run time of every thread of the process.
double cpuVolgensSchedstat() {
    double totaal = 0;
    for (const auto& [naam, draad] : cpuPerDraad())
        totaal += draad.tijd;
    return totaal;
}

void toonPerDraad(const std::map<std::string, Draad>& begin, double verstreken) {
    for (const auto& [naam, draad] : cpuPerDraad()) {
        const auto b = begin.find(naam);
        const Draad voor = b == begin.end() ? Draad{} : b->second;
        std::printf("    draad %-16s %.4f s = %.3f %%, %.0f keer per seconde ingepland\n",
                    naam.c_str(), draad.tijd - voor.tijd,
                    100.0 * (draad.tijd - voor.tijd) / verstreken,
                    (draad.keer - voor.keer) / verstreken);
    }
}

// A bare Qt window with a precise 10 ms timer that does nothing.
int kaalVenster(int seconden) {
    QWidget venster;
    venster.resize(720, 576);
    venster.show();
    QTimer klok;
    klok.setTimerType(Qt::PreciseTimer);
    klok.setInterval(10);
    int tikken = 0;
    QObject::connect(&klok, &QTimer::timeout, [&] { ++tikken; });
    klok.start();
    double schedBegin = 0;
    QElapsedTimer wand;
    QTimer::singleShot(1000, [&] {
        schedBegin = cpuVolgensSchedstat();
        wand.start();
    });
    QTimer::singleShot(1000 + seconden * 1000, [&] {
        const double verstreken = wand.elapsed() / 1000.0;
        const double sched = cpuVolgensSchedstat() - schedBegin;
        std::printf("Gemeten over %.2f s (platform %s, kaal Qt-venster met 10 ms-klok):\n",
                    verstreken, qPrintable(QGuiApplication::platformName()));
        std::printf("  /proc/self/task/*/schedstat: %.4f s CPU = %.3f %% van een kern\n", sched,
                    100.0 * sched / verstreken);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kwintelvlak"));
    const int seconden = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const bool leeg = argc > 2 && std::strcmp(argv[2], "leeg") == 0;
    const bool kaal = argc > 2 && std::strcmp(argv[2], "kaal") == 0;
    const bool herstel = argc > 2 && std::strcmp(argv[2], "herstel") == 0;
    const bool toon = argc > 2 && std::strcmp(argv[2], "toon") == 0;
    const bool zoemer = argc > 2 && std::strcmp(argv[2], "zoemer") == 0;
    const int hz = zoemer && argc > 3 ? std::clamp(std::atoi(argv[3]), 1, 10) : 1;
    bool sensor = false;
    for (int i = 2; i < argc; ++i)
        sensor = sensor || std::strcmp(argv[i], "geluidsensor") == 0;
    if (kaal)
        return kaalVenster(seconden);

    TfKwintelvlak form;
    if (!leeg) {
        auto* gen = qobject_cast<TPulsGeneratorMod*>(
            form.maakModule(bordbouw::soortVan(form.miPulsGenerator), 40, 40));
        TModule* uit =
            form.maakModule(bordbouw::soortVan(zoemer ? form.miZoemer : form.miLED), 140, 40);
        gen->regelaar->setValue(hz);
        bordbouw::verbind(gen, 1, uit, 1);
        if (sensor)
            form.maakModule(bordbouw::soortVan(form.miGeluidSensor), 240, 40);
    }
    form.show();
    QTemporaryDir herstelMap;
    std::unique_ptr<THerstelBestand> herstelBestand;
    QTimer wijziger;
    if (herstel) {
        herstelBestand = std::make_unique<THerstelBestand>(form, herstelMap.path());
        QObject::connect(&wijziger, &QTimer::timeout,
                         [&form] { form.miTellerLatenDoorlopen->trigger(); });
        wijziger.start(1000);
    }
    if (toon)
        platform::Beep(500, 10);
    const int aanloop = toon || zoemer ? 3000 : 1000;

    double statBegin = 0, schedBegin = 0;
    std::map<std::string, Draad> draadBegin;
    QElapsedTimer wand;
    // Start measuring once start-up and the first paints are over.
    QTimer::singleShot(aanloop, [&] {
        statBegin = cpuVolgensStat();
        schedBegin = cpuVolgensSchedstat();
        draadBegin = cpuPerDraad();
        wand.start();
    });
    QTimer::singleShot(aanloop + seconden * 1000, [&] {
        const double verstreken = wand.elapsed() / 1000.0;
        const double stat = cpuVolgensStat() - statBegin;
        const double sched = cpuVolgensSchedstat() - schedBegin;
        const std::string bord =
            leeg      ? std::string("leeg bord")
            : herstel ? std::string("pulsgenerator 1 Hz naar LED, herstelbestand elke seconde")
            : zoemer  ? "pulsgenerator " + std::to_string(hz) + " Hz naar zoemer"
                      : std::string("pulsgenerator 1 Hz naar LED");
        std::printf(
            "Gemeten over %.2f s (platform %s, %s, %s%s%s):\n", verstreken,
            qPrintable(QGuiApplication::platformName()), bord.c_str(),
            audioBeschikbaar ? "met opname" : "zonder opname", toon ? ", toonstroom open" : "",
            zoemer
                ? (platform::toonServerKlaar() ? ", met geluidsserver" : ", zonder geluidsserver")
                : "");
        if (sensor)
            std::printf("  met een geluidsensor op het bord\n");
        std::printf("  /proc/self/stat:           %.3f s CPU = %.3f %% van een kern\n", stat,
                    100.0 * stat / verstreken);
        std::printf("  /proc/self/task/*/schedstat: %.4f s CPU = %.3f %% van een kern\n", sched,
                    100.0 * sched / verstreken);
        toonPerDraad(draadBegin, verstreken);
        std::printf("  opstarten (tot de meting): %.3f s CPU\n", statBegin);
        std::fflush(stdout);
        form.miAfsluitenClick();
    });
    return QApplication::exec();
}
