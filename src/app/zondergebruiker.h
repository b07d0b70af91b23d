// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// What the runs without a user (checking boards, rendering pictures) share:
// a clock that moves only when told to, a pointer away from the board, no
// sound device, and messages caught instead of shown in boxes. Made before
// the window, so the window's clock runs on the stepped clock.
#pragma once

#include "platform/testseams.h"

#include <QMessageBox>
#include <QString>
#include <cstdint>
#include <vector>

class TfKwintelvlak;

class ZonderGebruiker {
public:
    // The simulated millisecond count starts as if the computer had been on
    // for an hour, like the real count: a pulse generator then pulses on the
    // first tick after it is made. A fixed start keeps every run alike.
    static constexpr std::uint32_t kStartTijd = 3'600'000;

    ZonderGebruiker();
    ~ZonderGebruiker();
    ZonderGebruiker(const ZonderGebruiker&) = delete;
    ZonderGebruiker& operator=(const ZonderGebruiker&) = delete;

    // Runs n clock ticks: the stepped clock moves 10 ms per tick.
    void tik(int n) { m_klok.advance(10 * n); }
    // Puts the pointer on a point of the board, in board pixels.
    void zetMuis(const TfKwintelvlak& form, QPoint bordPunt);
    // Puts the pointer far from the board, where a sensor reads 0.
    void muisWeg() { m_cursor.setPos(QPoint(-1'000'000, -1'000'000)); }

    struct Melding {
        QMessageBox::Icon icoon = QMessageBox::NoIcon;
        QString tekst;
    };
    // The messages caught since the last call, which empties the list.
    std::vector<Melding> neemMeldingen();

private:
    platform::FakeClock m_klok{kStartTijd};
    platform::FakeCursor m_cursor;
    std::vector<Melding> m_meldingen;
};
