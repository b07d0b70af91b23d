// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Fuzzes the text layer of board files: any bytes must split into a header
// and records without a crash, a hang or a leak, and the records must keep
// the promises the board builder relies on.
#include "boardfile/bordbestand.h"
#include "boardfile/cp1252.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
void eis(bool voorwaarde) {
    if (!voorwaarde)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView tekst(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const bordbestand::BordInhoud inhoud = bordbestand::ontleed(tekst);
    const auto regels = bordbestand::regels(tekst);
    eis(inhoud.kop.has_value() == !regels.empty());
    eis(inhoud.modules.size() == (regels.empty() ? 0 : regels.size() - 1));
    for (const bordbestand::ModuleRegel& r : inhoud.modules) {
        // The builder takes 3 wire fields for each of the first n outputs.
        eis(r.draadVelden.size() == size_t(3 * std::clamp(r.n, 0, bordbestand::kMaxUitgangen)));
        eis(r.soort == 20 || r.naam.isEmpty());
        eis(!r.variant || ((r.soort == 9 || r.soort == 11) && r.instelling.startsWith('S')));
        for (const QByteArray& veld : r.draadVelden)
            eis(!veld.contains('|') && !veld.contains('\r') && !veld.contains('\n'));
        eis(!r.instelling.contains('|'));
    }

    // A number read back from its own decimal form is the same number.
    for (QByteArrayView regel : regels) {
        if (const std::optional<int> w = bordbestand::alsGeheel(regel))
            eis(bordbestand::alsGeheel(QByteArray::number(*w)) == w);
    }

    // Every byte survives the character set both ways.
    eis(cp1252::vanTekst(cp1252::naarTekst(tekst)) == tekst);
    return 0;
}
