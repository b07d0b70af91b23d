// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// A small hash table with open addressing, for the look-up index: one flat
// array probed linearly, cleared and refilled whole when the board changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace simulatie {

inline std::size_t meng(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return static_cast<std::size_t>(x);
}

template <class Sleutel, class Waarde, class Hash> class VlakkeTabel {
public:
    VlakkeTabel() { leeg(0); }

    // Empties the table and makes room for `aantal` keys at most half full.
    void leeg(std::size_t aantal) {
        std::size_t capaciteit = 16;
        while (capaciteit < aantal * 2)
            capaciteit <<= 1;
        m_vakken.assign(capaciteit, Vak{});
        m_masker = capaciteit - 1;
    }

    const Waarde* zoek(const Sleutel& s) const {
        for (std::size_t i = Hash{}(s)&m_masker;; i = (i + 1) & m_masker) {
            const Vak& v = m_vakken[i];
            if (!v.bezet)
                return nullptr;
            if (v.sleutel == s)
                return &v.waarde;
        }
    }

    // The value stored for s, made empty when s was absent; the flag tells
    // whether it was made now. The table must not be filled beyond `aantal`.
    std::pair<Waarde*, bool> plaats(const Sleutel& s) {
        for (std::size_t i = Hash{}(s)&m_masker;; i = (i + 1) & m_masker) {
            Vak& v = m_vakken[i];
            if (!v.bezet) {
                v.bezet = true;
                v.sleutel = s;
                return {&v.waarde, true};
            }
            if (v.sleutel == s)
                return {&v.waarde, false};
        }
    }

private:
    struct Vak {
        Sleutel sleutel{};
        Waarde waarde{};
        bool bezet = false;
    };
    std::vector<Vak> m_vakken;
    std::size_t m_masker = 0;
};

} // namespace simulatie
