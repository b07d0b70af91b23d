// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// A sound server's playback stream as the tone generator meets it, without a
// server: from its start it plays at the card's rate, keeps a buffer of
// bufferMs queued, and asks for what the buffer misses whenever that has
// grown to a request size it draws from [minVraagMs, maxVraagMs]. Each request
// reaches the generator up to maxTeLaatUs late. Beeps are made at the times
// given, in between the requests, and so are the clock's ticks when given
// (each after the Beeps of its time). What comes out is the sound as heard:
// sample i sounds at startMs + i / rate.
#pragma once

#include "platform/toon.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace nepstroom {

struct Beep {
    double ms;
    std::uint32_t duur = 10;
};

struct Stroom {
    double startMs = 0;
    int bufferMs = 30;
    int minVraagMs = 5;
    int maxVraagMs = 20;
    int maxTeLaatUs = 2000;
    unsigned zaad = 1;

    // Plays until totMs; the samples as heard.
    std::vector<std::int16_t> speel(platform::ToonBron& bron, const std::vector<Beep>& beeps,
                                    double totMs, const std::vector<double>& tikken = {}) const {
        using platform::ToonBron;
        std::mt19937 toeval(zaad);
        std::uniform_int_distribution<int> vraag(minVraagMs * ToonBron::kRate / 1000,
                                                 maxVraagMs * ToonBron::kRate / 1000);
        std::uniform_int_distribution<int> teLaat(0, maxTeLaatUs);
        const auto buffer = std::size_t(bufferMs) * ToonBron::kRate / 1000;
        bron.zetBuffer(buffer);
        std::vector<std::int16_t> uit;
        std::size_t volgende = 0;
        std::size_t tik = 0;
        auto beepTot = [&](double ms) {
            for (;;) {
                const bool beep = volgende < beeps.size() && beeps[volgende].ms <= ms;
                const bool t = tik < tikken.size() && tikken[tik] <= ms;
                if (beep && (!t || beeps[volgende].ms <= tikken[tik])) {
                    bron.beep(500, beeps[volgende].duur, std::int64_t(beeps[volgende].ms * 1000));
                    ++volgende;
                } else if (t) {
                    bron.tik(std::int64_t(tikken[tik++] * 1000));
                } else {
                    break;
                }
            }
        };
        // The first request fills the whole buffer; later ones come when the
        // card has played a request's worth.
        double vraagMs = startMs;
        std::size_t n = buffer;
        while (vraagMs < totMs) {
            const double aankomst = vraagMs + teLaat(toeval) / 1000.0;
            beepTot(aankomst);
            const std::size_t oud = uit.size();
            uit.resize(oud + n);
            // Queued before these samples: what the server had when it asked.
            bron.vul(uit.data() + oud, n, std::int64_t(aankomst * 1000), buffer - n);
            n = std::size_t(vraag(toeval));
            // The buffer misses n once the card has played up to this sample.
            const std::size_t gespeeld = uit.size() + n - buffer;
            vraagMs = startMs + double(gespeeld) * 1000 / ToonBron::kRate;
        }
        return uit;
    }
};

// Runs of sounding samples, as (first, last) in ms of heard time.
inline std::vector<std::pair<double, double>> klanken(const std::vector<std::int16_t>& s,
                                                      double startMs) {
    std::vector<std::pair<double, double>> uit;
    const double perSample = 1000.0 / platform::ToonBron::kRate;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == 0) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < s.size() && s[j] != 0)
            ++j;
        uit.emplace_back(startMs + double(i) * perSample, startMs + double(j) * perSample);
        i = j;
    }
    return uit;
}

} // namespace nepstroom
