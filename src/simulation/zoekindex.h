// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The look-ups the clock makes on every tick, answered from hash tables:
// which module has a kind and number, which output feeds an input, and which
// modules each pass of the tick visits. The tables remember the board version
// they were built at and are rebuilt when it has moved, so they never answer
// from a stale board; their answers are exactly those of walking the module
// list.
#pragma once

#include "app/modulelijst.h"
#include "simulation/vlaktabel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class TIngang;
class TModule;
class TUitgang;

namespace simulatie {

// The classes the clock and the dispatch tell apart, in the order in which
// the tick visits them.
enum class Klasse : std::uint8_t {
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
    LED,
    Zoemer,
    Relais,
    Split,
    Zwenkel, // plug-in modules; only those without inputs are ticked
    Geen,
};
inline constexpr int kRondes = 18;

// The class a module belongs to, by class test; Geen for any other module.
Klasse klasseVan(const TModule* module);

// What the index knows of one module on the board (one per list position):
// which inputs some wire feeds, and where a level sent on each of its first
// ten outputs arrives. The clock runs from these records, so a tick needs no
// look-up at all.
struct Knoop {
    TModule* module = nullptr;
    Klasse klasse = Klasse::Geen;
    std::uint8_t aantalUitgangen = 0;
    std::uint32_t gevoed = 0; // bit k: some output's wire ends at input k (1..31)
    std::uint32_t eersteUitgang = 0;
};
inline constexpr int kMaxSnelleIngang = 31;

struct Verbinding {
    TUitgang* uitgang = nullptr;
    // The record of the module a level sent on this output reaches, -1 when
    // it reaches none (no wire, nobody with that kind and number, or an input
    // number outside the module's inputs), and the input it arrives at.
    std::int32_t doel = -1;
    std::int32_t ingang = 0;
    TModule* doelModule = nullptr; // the module of that record
    TIngang* aankomst = nullptr;   // and the input itself
};

class TZoekIndex {
public:
    explicit TZoekIndex(const TModuleArray& modules) : m_modules(modules) {}

    struct Doel {
        TModule* module = nullptr;
        Klasse klasse = Klasse::Geen;
    };
    // The first module in list order with this kind and number.
    Doel module(int soort, int nummer);
    // The output whose wire ends at input `ingang` of the module with this
    // kind and number: of the modules in list order the last one that has
    // such an output, within it the first such output of its first ten.
    TUitgang* voeder(int soort, int nummer, int ingang);

    // Rebuilds at once when the board has moved.
    void bijwerken() {
        if (m_versie != bordversie::huidig())
            bouw();
    }
    bool actueel() const { return m_versie == bordversie::huidig(); }
    // How often the tables were built. Records and passes obtained from the
    // index are valid while this count stays and actueel() holds.
    std::uint64_t bouwteller() const { return m_bouwteller; }

    // The records (valid after bijwerken(), see bouwteller()). Record i
    // belongs to list position i.
    const Knoop& knoop(std::size_t i) const { return m_knopen[i]; }
    const Verbinding* verbindingen(const Knoop& k) const {
        return m_verbindingen.data() + k.eersteUitgang;
    }
    // Asks the processor to fetch what running the module at list position
    // p will touch (its panel, its outputs, the modules and inputs they
    // feed), so that a large board's tick does not wait on memory.
    void haalVoor(std::size_t p) const;

    // The list positions of one pass of the tick, in list order.
    const std::vector<std::uint32_t>& ronde(int r) const {
        return m_rondes[static_cast<std::size_t>(r)];
    }

    // Look-ups at a version that has not been asked this often yet walk the
    // list instead of building the tables: a loop that changes the board
    // between single look-ups (renumbering after a removal) then costs no
    // more than walking, and a board that stays put is built once.
    static constexpr int kVragenVoorBouw = 8;

private:
    struct ModuleSleutel {
        std::int32_t soort, nummer;
        bool operator==(const ModuleSleutel&) const = default;
    };
    struct IngangSleutel {
        std::int32_t soort, nummer, ingang;
        bool operator==(const IngangSleutel&) const = default;
    };
    struct ModuleHash {
        std::size_t operator()(const ModuleSleutel& s) const {
            return meng(std::uint64_t(std::uint32_t(s.soort)) << 32 | std::uint32_t(s.nummer));
        }
    };
    struct IngangHash {
        std::size_t operator()(const IngangSleutel& s) const {
            return meng((std::uint64_t(std::uint32_t(s.soort)) << 32 | std::uint32_t(s.nummer)) ^
                        (std::uint64_t(std::uint32_t(s.ingang)) * 0x9E3779B97F4A7C15ULL));
        }
    };

    bool gebruikTabellen();
    void bouw();
    Doel moduleLangs(int soort, int nummer) const;
    TUitgang* voederLangs(int soort, int nummer, int ingang) const;

    const TModuleArray& m_modules;
    std::uint64_t m_versie = 0; // 0: never built (the board version starts at 1)
    std::uint64_t m_vraagVersie = 0;
    int m_vragen = 0;
    std::uint64_t m_bouwteller = 0;
    // (kind, number) -> list position of the first such module.
    VlakkeTabel<ModuleSleutel, std::uint32_t, ModuleHash> m_moduleTabel;
    VlakkeTabel<IngangSleutel, TUitgang*, IngangHash> m_voederTabel;
    std::vector<Knoop> m_knopen;
    std::vector<Verbinding> m_verbindingen;
    std::array<std::vector<std::uint32_t>, kRondes> m_rondes;
};

} // namespace simulatie
