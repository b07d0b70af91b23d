// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Colours as the board stores and compares them: 32-bit $00BBGGRR values.
// kleur() is the one place where such a value becomes a QColor.
#pragma once

#include <QColor>
#include <cstdint>

using TColor = std::uint32_t;

inline QColor kleur(TColor c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

namespace kleuren {
inline constexpr TColor zwart = 0x000000;
inline constexpr TColor wit = 0xFFFFFF;
inline constexpr TColor grijs = 0x808080;
inline constexpr TColor geel = 0x00FFFF;
inline constexpr TColor olijf = 0x008080;
inline constexpr TColor blauw = 0xFF0000;
inline constexpr TColor marine = 0x800000;
inline constexpr TColor rood = 0x0000FF;
inline constexpr TColor kastanje = 0x000080;

// The panel colour of modules and the window (button face), and the two
// edge colours of raised and sunken bevels.
inline const QColor knopVlak{240, 240, 240};
inline const QColor knopLicht{255, 255, 255};
inline const QColor knopSchaduw{160, 160, 160};
inline const QColor knopDonker{105, 105, 105};
} // namespace kleuren

// The four colour pairs of terminals: filled with aan while the level is
// high, with uit otherwise.
struct Kleurpaar {
    TColor aan;
    TColor uit;
};

namespace kleurparen {
inline constexpr Kleurpaar bron{kleuren::geel, kleuren::olijf};     // sources
inline constexpr Kleurpaar weergave{kleuren::wit, kleuren::grijs};  // displays
inline constexpr Kleurpaar logica{kleuren::blauw, kleuren::marine}; // logic
inline constexpr Kleurpaar contact{kleuren::wit, kleuren::zwart};   // relay contacts
} // namespace kleurparen
