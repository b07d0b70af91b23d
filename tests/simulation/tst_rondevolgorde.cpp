// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The order of the clock's passes, seen from outside: on small real boards a
// change travels from one module to the next and the test counts the ticks
// until it comes out. A step along the order costs nothing extra, a step
// against it one more tick, so swapping any two passes whose order shows
// changes some row here. The pass of every kind is written out below, not
// taken from the simulation.
//
// The LED and the buzzer show a level the moment it arrives; their own pass
// only darkens an unfed input, so no board shows where their passes stand.
// Sources have no inputs, so the order among sources shows nowhere either.
#include "../plugins/zwenkeltest.h"
#include "modules/soorten/adomzetter.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/geheugencel.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/invertor.h"
#include "modules/soorten/poorten.h"
#include "modules/soorten/pulsenteller.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/sensor.h"
#include "modules/soorten/transistor.h"
#include "platform/testseams.h"
#include "simtest.h"

#include <QTest>
#include <functional>
#include <optional>

using namespace kwinteltest;
using namespace simtest;

namespace {

enum class Soort {
    DrukSchakelaar,
    PulsGenerator,
    VariabeleSpanning,
    GeheugenCel,
    Invertor,
    ENPoort,
    OFPoort,
    PulsenTeller,
    Comparator,
    ADOmzetter,
    Transistor,
    GeluidSensor,
    Sensor,
    Relais,
    Split,
    Zwenkel, // a plug-in module without inputs
};

struct Rij {
    Soort soort;
    const char* naam;
    int ronde;      // the pass that visits it, 1..18
    bool bron;      // has no inputs
    bool zender;    // can be made to change its output
    bool ontvanger; // evaluates what arrived at its own pass
};

// The tick's passes (the LED is 14, the buzzer 15).
constexpr Rij kRondes[] = {
    {Soort::DrukSchakelaar, "drukschakelaar", 1, true, true, false},
    {Soort::PulsGenerator, "pulsgenerator", 2, true, true, false},
    {Soort::VariabeleSpanning, "variabele spanning", 3, true, true, false},
    {Soort::GeheugenCel, "geheugencel", 4, false, true, true},
    {Soort::Invertor, "invertor", 5, false, true, true},
    {Soort::ENPoort, "EN-poort", 6, false, true, true},
    {Soort::OFPoort, "OF-poort", 7, false, true, true},
    {Soort::PulsenTeller, "pulsenteller", 8, false, true, true},
    {Soort::Comparator, "comparator", 9, false, true, true},
    {Soort::ADOmzetter, "AD-omzetter", 10, false, true, true},
    {Soort::Transistor, "transistor", 11, false, true, true},
    {Soort::GeluidSensor, "geluidsensor", 12, true, true, false},
    {Soort::Sensor, "sensor", 13, true, true, false},
    {Soort::Relais, "relais", 16, false, true, true},
    {Soort::Split, "split", 17, false, true, true},
    {Soort::Zwenkel, "insteekmodule", 18, true, true, false},
};

const QString tzI = QStringLiteral("tz_i");

// A module of a kind, with the input a change arrives at and the output
// it comes out of (both from 1).
struct Schakel {
    TModule* module = nullptr;
    int ingang = 1;
    int uitgang = 1;
};

Schakel maakSchakel(Bord& b, Soort s) {
    TfKwintelvlak& f = b.form;
    switch (s) {
    case Soort::DrukSchakelaar:
        return {maak<TDrukSchakelaarMod>(f, DRUKSCHAKELAAR)};
    case Soort::PulsGenerator: {
        auto* g = maak<TPulsGeneratorMod>(f, PULSGENERATOR);
        g->regelaar->setValue(1);
        return {g};
    }
    case Soort::VariabeleSpanning:
        return {maak<TVariabeleSpanningMod>(f, VARIABELESPANNING)};
    case Soort::GeheugenCel:
        return {maak<TGeheugenCelMod>(f, GEHEUGENCEL)};
    case Soort::Invertor:
        return {maak<TInvertorMod>(f, INVERTOR)};
    case Soort::ENPoort: {
        auto* en = maak<TENPoortMod>(f, ENPOORT);
        b.spanning(en, 2, 50); // the other input stays high
        return {en};
    }
    case Soort::OFPoort:
        return {maak<TOFPoortMod>(f, OFPOORT)};
    case Soort::PulsenTeller:
        return {maak<TPulsenTellerMod>(f, PULSENTELLER), 1, 4}; // count in, weight 1 out
    case Soort::Comparator: {
        auto* c = maak<TComparatorMod>(f, COMPARATOR);
        c->regelaar->setValue(25);
        return {c};
    }
    case Soort::ADOmzetter:
        return {maak<TADOmzetterMod>(f, ADOMZETTER)};
    case Soort::Transistor:
        return {maak<TTransistorMod>(f, TRANSISTOR)};
    case Soort::GeluidSensor:
        return {maak<TGeluidSensorMod>(f, GELUIDSENSOR)};
    case Soort::Sensor:
        return {maak<TSensorMod>(f, SENSOR)};
    case Soort::Relais:
        return {maak<TRelaisMod>(f, RELAIS), 3, 2}; // pass-through in and out
    case Soort::Split:
        return {maak<TSplitMod>(f, SPLIT)};
    case Soort::Zwenkel:
        zwenkeltest::stel(f, tzI, {0, 0, -1, -1, -1, 0, 1});
        zwenkeltest::stelUit(f, tzI, 0);
        return {zwenkeltest::maak(f, tzI)};
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Soort)

class TestRondeVolgorde : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initProces();
        // The sound sensor's level is set by hand here; a real microphone
        // that fails to open a moment later must not switch it off.
        platform::zetGeluidUit(true);
    }

    void wijzigingKomtDoor_data() {
        QTest::addColumn<Soort>("zender");
        QTest::addColumn<Soort>("ontvanger");
        QTest::addColumn<int>("tikken");
        for (const Rij& z : kRondes) {
            for (const Rij& o : kRondes) {
                if (!z.zender || !o.ontvanger || z.soort == o.soort)
                    continue;
                // The change reaches the sender in the tick it is made: a
                // source makes it itself, any other sender is driven by a push
                // button, whose pass is the first. Then each step against the
                // order of the passes costs a tick.
                const int tikken = 1 + (z.ronde > o.ronde ? 1 : 0);
                QTest::newRow(qPrintable(QStringLiteral("%1 (%2) -> %3 (%4)")
                                             .arg(z.naam)
                                             .arg(z.ronde)
                                             .arg(o.naam)
                                             .arg(o.ronde)))
                    << z.soort << o.soort << tikken;
            }
        }
    }
    void wijzigingKomtDoor() {
        QFETCH(Soort, zender);
        QFETCH(Soort, ontvanger);
        QFETCH(int, tikken);
        zwenkeltest::Map map({tzI});
        platform::FakeClock klok;
        platform::FakeCursor cursor(QPoint(100000, 100000)); // far from the sensor
        const bool audio = audioBeschikbaar;
        Bord b;
        audioBeschikbaar = true;
        geluidNiveau = 0;

        const Schakel z = maakSchakel(b, zender);
        const Schakel o = maakSchakel(b, ontvanger);
        verbind(z.module, z.uitgang, o.module, o.ingang);
        TSplitMod* sonde = b.sonde(o.module, o.uitgang);
        // How the sender's output goes from low to high.
        std::function<void()> wissel;
        if (auto* knop = qobject_cast<TDrukSchakelaarMod*>(z.module)) {
            wissel = [knop] { knop->sSchakelaar->stand = 1; };
        } else if (auto* v = qobject_cast<TVariabeleSpanningMod*>(z.module)) {
            wissel = [v] { v->regelaar->setValue(50); };
        } else if (qobject_cast<TPulsGeneratorMod*>(z.module)) {
            wissel = [&klok] { klok.advance(1001); }; // one pulse is due
        } else if (qobject_cast<TGeluidSensorMod*>(z.module)) {
            wissel = [] { geluidNiveau = 36768; };
        } else if (auto* s = qobject_cast<TSensorMod*>(z.module)) {
            wissel = [&cursor, s] { cursor.setPos(s->mapToGlobal(QPoint(0, 0))); };
        } else if (qobject_cast<TZwenkelMod*>(z.module)) {
            wissel = [&b] { zwenkeltest::stelUit(b.form, tzI, KWINTEL_MONSTER_MAX); };
        } else {
            // A push button drives the sender; an inverting one starts with
            // the key down, so its output too goes from low to high.
            const bool keert =
                qobject_cast<TInvertorMod*>(z.module) || qobject_cast<TTransistorMod*>(z.module);
            auto* drijver = b.knop(z.module, z.ingang);
            drijver->sSchakelaar->stand = keert ? 1 : 0;
            wissel = [drijver, keert] { drijver->sSchakelaar->stand = keert ? 0 : 1; };
        }

        tik(b.form, 3);
        const int rust = sonde->ingangsNiveau;
        wissel();
        std::optional<int> gezien;
        for (int t = 1; t <= 4 && !gezien; ++t) {
            tik(b.form);
            if (sonde->ingangsNiveau != rust)
                gezien = t;
        }
        audioBeschikbaar = audio;
        geluidNiveau = 0;
        QVERIFY2(gezien, "the change never came through");
        QCOMPARE(*gezien, tikken);
    }
};

QTEST_MAIN(TestRondeVolgorde)
#include "tst_rondevolgorde.moc"
