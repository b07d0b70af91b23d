// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Repainting a control and everything in it at once, and the peak meter that
// turns a buffer of recorded sound into the level the sound sensor reads.
#include "app/kwintelvlak.h"

#include <QWidget>
#include <algorithm>
#include <cstdlib>

void TfKwintelvlak::fullRepaint(QWidget* control) {
    if (!control)
        return;
    if (!control->isWindow()) {
        // Repainting a widget repaints its children with it, in child order.
        control->repaint();
        return;
    }
    // The window itself is not repainted, only what it holds.
    for (QObject* o : control->children()) {
        auto* kind = qobject_cast<QWidget*>(o);
        if (kind && !kind->isWindow())
            fullRepaint(kind);
    }
}

bool TfKwintelvlak::aiAudioBufferFilled(const qint16* buffer, int& grootte) {
    const int n = grootte / 2; // whole 16-bit samples only
    if (!buffer || n <= 0) {
        // A buffer without a whole sample holds no sound (and has no first
        // sample to start from).
        geluidNiveau = 0;
        return true;
    }
    int minimum = buffer[0];
    int maximum = buffer[0];
    for (int i = 0; i < n; ++i) {
        minimum = std::min(minimum, int(buffer[i]));
        maximum = std::max(maximum, int(buffer[i]));
    }
    // In 32 bits, so -32768 gives 32768.
    geluidNiveau = std::abs(minimum) > maximum ? std::abs(minimum) : maximum;
    return true;
}
