// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "modules/tekeningen.h"

#include <QColor>
#include <QPointF>
#include <QStringView>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace tekeningen {

namespace {

constexpr uint wit = 0;   // colour index of the background
constexpr uint zwart = 1; // colour index of the lines

// ---- Pixel font -----------------------------------------------------------------
//
// Just the characters the pictures need, 5 x 7 pixels each, one byte per row
// with the leftmost pixel in bit 4. Glyphs are set proportionally: a glyph
// takes the width of its used columns plus one column of space.

struct Teken {
    char16_t c;
    std::array<std::uint8_t, 7> rijen;
};

constexpr Teken letters[] = {
    {u'1', {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {u'5', {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110}},
    {u'V', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100}},
    {u'M', {0b10001, 0b11011, 0b10101, 0b10101, 0b10001, 0b10001, 0b10001}},
    {u'&', {0b01100, 0b10010, 0b10100, 0b01000, 0b10101, 0b10010, 0b01101}},
    {u'\u2265', {0b10000, 0b01100, 0b00010, 0b01100, 0b10000, 0b00000, 0b11110}}, // ≥
    {u'+', {0b00000, 0b00100, 0b00100, 0b11111, 0b00100, 0b00100, 0b00000}},
    {u'\u2212', {0b00000, 0b00000, 0b00000, 0b11111, 0b00000, 0b00000, 0b00000}}, // −
    {u'/', {0b00000, 0b00001, 0b00010, 0b00100, 0b01000, 0b10000, 0b00000}},
    {u'a', {0b00000, 0b00000, 0b01110, 0b00001, 0b01111, 0b10001, 0b01111}},
    {u'e', {0b00000, 0b00000, 0b01110, 0b10001, 0b11111, 0b10000, 0b01110}},
    {u'l', {0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {u'n', {0b00000, 0b00000, 0b10110, 0b11001, 0b10001, 0b10001, 0b10001}},
    {u'r', {0b00000, 0b00000, 0b10110, 0b11001, 0b10000, 0b10000, 0b10000}},
    {u's', {0b00000, 0b00000, 0b01111, 0b10000, 0b01110, 0b00001, 0b11110}},
    {u't', {0b01000, 0b01000, 0b11110, 0b01000, 0b01000, 0b01001, 0b00110}},
    {u'u', {0b00000, 0b00000, 0b10001, 0b10001, 0b10001, 0b10011, 0b01101}},
};

constexpr int tekenHoogte = 7;
constexpr int spatieBreedte = 4;

const Teken* zoekTeken(char16_t c) {
    for (const Teken& t : letters)
        if (t.c == c)
            return &t;
    return nullptr;
}

// The first and last used column of a glyph (0 = left).
std::pair<int, int> gebruikteKolommen(const Teken& t) {
    std::uint8_t alle = 0;
    for (std::uint8_t r : t.rijen)
        alle |= r;
    int eerste = 4;
    int laatste = 0;
    for (int k = 0; k < 5; ++k) {
        if (alle & (0x10 >> k)) {
            eerste = std::min(eerste, k);
            laatste = std::max(laatste, k);
        }
    }
    return {eerste, laatste};
}

// ---- Drawing surface -------------------------------------------------------------
//
// Lines are set pixel by pixel rather than through a painter, so that where a
// line starts and ends is exact and no smoothing ever creeps in. All
// coordinates are inclusive: hLijn(0, 10, y) sets eleven pixels.

class Doek {
public:
    Doek(int breedte, int hoogte) : m_beeld(breedte, hoogte, QImage::Format_Mono) {
        m_beeld.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        m_beeld.fill(wit);
    }

    QImage beeld() const { return m_beeld; }

    void punt(int x, int y) {
        if (m_beeld.valid(x, y))
            m_beeld.setPixel(x, y, zwart);
    }

    void hLijn(int x1, int x2, int y) {
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x)
            punt(x, y);
    }

    void vLijn(int x, int y1, int y2) {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y)
            punt(x, y);
    }

    // Bresenham, both end points included.
    void lijn(int x1, int y1, int x2, int y2) {
        const int dx = std::abs(x2 - x1);
        const int dy = -std::abs(y2 - y1);
        const int sx = x1 < x2 ? 1 : -1;
        const int sy = y1 < y2 ? 1 : -1;
        int fout = dx + dy;
        for (;;) {
            punt(x1, y1);
            if (x1 == x2 && y1 == y2)
                return;
            const int f2 = 2 * fout;
            if (f2 >= dy) {
                fout += dy;
                x1 += sx;
            }
            if (f2 <= dx) {
                fout += dx;
                y1 += sy;
            }
        }
    }

    void rechthoek(int x1, int y1, int x2, int y2) {
        hLijn(x1, x2, y1);
        hLijn(x1, x2, y2);
        vLijn(x1, y1, y2);
        vLijn(x2, y1, y2);
    }

    void blok(int x1, int y1, int x2, int y2) {
        for (int y = y1; y <= y2; ++y)
            hLijn(x1, x2, y);
    }

    // Midpoint circle.
    void cirkel(int cx, int cy, int r) {
        int x = r;
        int y = 0;
        int fout = 1 - r;
        while (x >= y) {
            for (auto [px, py] :
                 {std::pair{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}})
                punt(cx + px, cy + py);
            ++y;
            if (fout < 0) {
                fout += 2 * y + 1;
            } else {
                --x;
                fout += 2 * (y - x) + 1;
            }
        }
    }

    // A filled triangle: every pixel whose centre lies inside or on an edge.
    void driehoek(QPointF a, QPointF b, QPointF c) {
        const auto kant = [](QPointF p, QPointF q, QPointF r) {
            return (q.x() - p.x()) * (r.y() - p.y()) - (q.y() - p.y()) * (r.x() - p.x());
        };
        const int x1 = static_cast<int>(std::floor(std::min({a.x(), b.x(), c.x()})));
        const int x2 = static_cast<int>(std::ceil(std::max({a.x(), b.x(), c.x()})));
        const int y1 = static_cast<int>(std::floor(std::min({a.y(), b.y(), c.y()})));
        const int y2 = static_cast<int>(std::ceil(std::max({a.y(), b.y(), c.y()})));
        const double eps = 1e-9;
        for (int y = y1; y <= y2; ++y) {
            for (int x = x1; x <= x2; ++x) {
                const QPointF p(x, y);
                const double k1 = kant(a, b, p);
                const double k2 = kant(b, c, p);
                const double k3 = kant(c, a, p);
                const bool binnen = (k1 >= -eps && k2 >= -eps && k3 >= -eps) ||
                                    (k1 <= eps && k2 <= eps && k3 <= eps);
                if (binnen)
                    punt(x, y);
            }
        }
    }

    // A horizontal dashed line: `aan` pixels set, `uit` pixels left white.
    void stippelLijn(int x1, int x2, int y, int aan, int uit) {
        for (int x = x1; x <= x2; ++x)
            if ((x - x1) % (aan + uit) < aan)
                punt(x, y);
    }

    static int tekstBreedte(QStringView tekst, int schaal = 1) {
        int breedte = 0;
        for (QChar ch : tekst) {
            if (const Teken* t = zoekTeken(ch.unicode())) {
                const auto [eerste, laatste] = gebruikteKolommen(*t);
                breedte += laatste - eerste + 2;
            } else {
                breedte += spatieBreedte;
            }
        }
        return std::max(0, breedte - 1) * schaal; // no space after the last glyph
    }

    // Text with the top left of its 7-row cell at (x, y).
    void tekst(int x, int y, QStringView tekst, int schaal = 1) {
        for (QChar ch : tekst) {
            const Teken* t = zoekTeken(ch.unicode());
            if (!t) {
                x += spatieBreedte * schaal;
                continue;
            }
            const auto [eerste, laatste] = gebruikteKolommen(*t);
            for (int rij = 0; rij < tekenHoogte; ++rij)
                for (int k = eerste; k <= laatste; ++k)
                    if (t->rijen[static_cast<std::size_t>(rij)] & (0x10 >> k))
                        blok(x + (k - eerste) * schaal, y + rij * schaal,
                             x + (k - eerste + 1) * schaal - 1, y + (rij + 1) * schaal - 1);
            x += (laatste - eerste + 2) * schaal;
        }
    }

    // Text whose cell is centred on (cx, cy).
    void tekstMidden(int cx, int cy, QStringView t, int schaal = 1) {
        tekst(cx - (tekstBreedte(t, schaal) - 1) / 2, cy - (tekenHoogte * schaal - 1) / 2, t,
              schaal);
    }

private:
    QImage m_beeld;
};

// A ground symbol: three bars of shrinking width, the widest on row y.
void aarde(Doek& d, int x, int y) {
    d.hLijn(x - 8, x + 8, y);
    d.hLijn(x - 5, x + 5, y + 3);
    d.hLijn(x - 2, x + 2, y + 6);
}

// ---- Gates --------------------------------------------------------------------------
//
// The gate pictures (132 x 33) stand at (16, 40) on a 168 x 128 panel, the
// small inverter's at (16, 8) on a 168 x 64 panel. The single output terminal
// (and the inverter's single input) sits level with the picture's middle, so
// its line runs along row 16 to the edge (column 131 on the right, column 0
// on the left).
//
// The two-input gates have their input terminals at (8, 24) and (8, 72):
// above and below the picture, with their centres on column 0 and their
// facing edges lying on the picture's top and bottom rows. So each input
// line leaves its terminal at the middle of that edge, runs along column 0
// to row 8 (upper) or row 24 (lower) and from there into the box: the lines
// join their terminals without anything drawn on the panel itself.

constexpr int poortBreedte = 132;
constexpr int poortHoogte = 33;
constexpr int kastLinks = 46;
constexpr int kastRechts = 90;
constexpr int kastBoven = 2;
constexpr int kastOnder = 30;
constexpr int poortMidden = 16;
constexpr int bovensteIngang = 8;
constexpr int ondersteIngang = 24;

void poortKast(Doek& d) {
    d.rechthoek(kastLinks, kastBoven, kastRechts, kastOnder);
    d.hLijn(kastRechts, poortBreedte - 1, poortMidden);
}

void tweeIngangen(Doek& d) {
    d.vLijn(0, 0, bovensteIngang);
    d.hLijn(0, kastLinks, bovensteIngang);
    d.vLijn(0, ondersteIngang, poortHoogte - 1);
    d.hLijn(0, kastLinks, ondersteIngang);
}

QImage poortMet(QStringView teken) {
    Doek d(poortBreedte, poortHoogte);
    poortKast(d);
    tweeIngangen(d);
    d.tekstMidden((kastLinks + kastRechts) / 2, poortMidden, teken, 2);
    return d.beeld();
}

} // namespace

// ---- Pictures ------------------------------------------------------------------------

QImage comparator() {
    // The picture stands at (24, 16). The input terminal at (8, 24) touches
    // column 0 with its centre on row 16, the output terminal at (144, 24)
    // touches column 120 on the same row, and the reference control at
    // (88, 68) covers the picture from column 64 with its middle on the bottom
    // row, 63.
    Doek d(121, 64);
    const int links = 30;
    const int boven = 2;
    const int onder = 46;
    const QPoint top(80, 24);
    d.vLijn(links, boven, onder);
    d.lijn(links, boven, top.x(), top.y());
    d.lijn(links, onder, top.x(), top.y());

    const int plus = 16;
    const int min = 32;
    d.hLijn(0, links, plus);
    d.tekstMidden(links + 7, plus, u"+");

    // The reference enters at the minus input: down the left and along the
    // bottom to the control.
    const int omlaag = 18;
    d.hLijn(omlaag, links, min);
    d.vLijn(omlaag, min, 63);
    d.hLijn(omlaag, 64, 63);
    d.tekstMidden(links + 7, min, u"\u2212");

    // The output steps up from the tip to the output terminal's row.
    const int stap = 100;
    d.hLijn(top.x(), stap, top.y());
    d.vLijn(stap, plus, top.y());
    d.hLijn(stap, 120, plus);
    return d.beeld();
}

QImage pulsenTeller() {
    // The picture stands at (24, 33). Input 1 at (16, 16) sits above its top
    // left corner, centred on column 0; input 2 at (16, 48) centres on row 23
    // and input 3 at (16, 80) on row 55, the bottom row, both reaching column 8
    // of the picture. The outputs at x = 208, 240, 272, 304 stand on the top
    // edge, centred on columns 192, 224, 256 and 288. The display at (280, 52)
    // covers columns 256..287 from row 19 down, its middle on row 39; the reset
    // key at (149, 80) sits on the bottom row over columns 125..140.
    Doek d(289, 56);
    const int links = 148;
    const int rechts = 180;
    const int boven = 1;
    const int onder = 46;
    d.rechthoek(links, boven, rechts, onder);

    // Input 1 (the pulses) comes down the left edge and enters at a clock
    // mark; it turns in before input 2's terminal.
    const int telRij = 8;
    d.vLijn(0, 0, telRij);
    d.hLijn(0, links, telRij);
    d.lijn(links, telRij - 4, links + 5, telRij);
    d.lijn(links, telRij + 4, links + 5, telRij);

    const int aanUitRij = 23;
    d.hLijn(0, links, aanUitRij);
    d.tekst(14, aanUitRij - 9, u"tellen a/u");

    // Reset runs along the bottom, under the key, and enters from below.
    const int resetRij = 55;
    const int resetKolom = (links + rechts) / 2;
    d.hLijn(0, resetKolom, resetRij);
    d.vLijn(resetKolom, onder, resetRij);
    d.tekst(14, resetRij - 9, u"reset");

    // The four bits, weight 8 on top, each right and then up to its output;
    // the highest line serves the leftmost output so that none cross.
    const int uitgangKolommen[4] = {192, 224, 256, 288};
    for (int i = 0; i < 4; ++i) {
        const int rij = 4 + 4 * i;
        d.hLijn(rechts, uitgangKolommen[i], rij);
        d.vLijn(uitgangKolommen[i], 0, rij);
    }

    // The count also goes to the display.
    d.hLijn(rechts, 256, 39);
    return d.beeld();
}

QImage ofPoort() {
    return poortMet(u"\u22651");
}

QImage enPoort() {
    return poortMet(u"&");
}

QImage geheugenCel() {
    Doek d(poortBreedte, poortHoogte);
    poortKast(d);
    tweeIngangen(d);
    d.tekstMidden((kastLinks + kastRechts) / 2, poortMidden, u"M", 2);
    // Lower-case letters fill rows 2..6 of their cell: centre those on the line.
    d.tekst(kastLinks + 3, bovensteIngang - 4, u"s");
    d.tekst(kastLinks + 3, ondersteIngang - 4, u"r");
    return d.beeld();
}

QImage invertor() {
    Doek d(poortBreedte, poortHoogte);
    poortKast(d);
    d.hLijn(0, kastLinks, poortMidden);
    d.tekstMidden((kastLinks + kastRechts) / 2, poortMidden, u"1", 2);
    // The negation wedge: a right triangle on the output line against the box,
    // its short side on the box's edge.
    d.lijn(kastRechts, poortMidden - 8, kastRechts + 12, poortMidden);
    return d.beeld();
}

QImage transistor() {
    // The picture stands at (16, 8). The input terminal at (8, 24) covers
    // columns 0..8 around row 24; the output terminal at (144, 24) covers the
    // right edge, column 136, on the same row.
    Doek d(137, 74);
    const QPoint m(60, 46);
    d.cirkel(m.x(), m.y(), 18);

    // Base: from the input terminal's row down to the middle of the circle.
    const int basisKolom = 30;
    const int basis = 54;
    d.hLijn(0, basisKolom, 24);
    d.vLijn(basisKolom, 24, m.y());
    d.hLijn(basisKolom, basis - 1, m.y());
    d.blok(basis - 1, m.y() - 9, basis, m.y() + 9);

    // Collector up through the resistor to the supply; the output leaves the
    // collector on the output terminal's row.
    const int draad = 66;
    d.lijn(basis + 1, m.y() - 5, draad, m.y() - 12);
    d.vLijn(draad, 7, m.y() - 12);
    d.rechthoek(draad - 4, 7, draad + 4, 19);
    d.vLijn(draad, 3, 7);
    d.hLijn(draad - 8, draad + 8, 3);
    d.tekstMidden(draad + 21, 3, u"+5V");
    d.hLijn(draad, 136, 24);
    d.blok(draad - 1, 23, draad + 1, 25);

    // Emitter down to ground, with the arrow pointing out of the transistor.
    const QPoint e1(basis + 1, m.y() + 5);
    const QPoint e2(draad, m.y() + 12);
    d.lijn(e1.x(), e1.y(), e2.x(), e2.y());
    d.vLijn(draad, e2.y(), 67);
    aarde(d, draad, 67);
    const double lengte = std::hypot(e2.x() - e1.x(), e2.y() - e1.y());
    const QPointF r((e2.x() - e1.x()) / lengte, (e2.y() - e1.y()) / lengte);
    const QPointF n(-r.y(), r.x());
    const QPointF tip = QPointF(e2) - r * 1.0;
    const QPointF voet = tip - r * 6.0;
    d.driehoek(tip, voet + n * 3.0, voet - n * 3.0);
    return d.beeld();
}

namespace {

// The relay picture stands at (32, 16). Input 1 (the coil) at (16, 24)
// touches column 0 with its centre on row 16. Inputs 2 and 3 at (112, 24)
// and (160, 24) cover rows 8..24, outputs 1 and 2 at (112, 72) and
// (160, 72) cover rows 56..72; their columns centre on 88 and 136. The
// column lines run under the terminals from centre to centre, so they meet
// both terminal edges.
constexpr int relaisBreedte = 138;
constexpr int relaisHoogte = 66;
constexpr int contactKolom = 88;
constexpr int doorvoerKolom = 136;
constexpr int terminalBoven = 16;
constexpr int terminalOnder = 64;
constexpr int contactVast = 30; // lower end of the fixed contact
constexpr int scharnier = 45;   // pivot of the moving contact
constexpr int koppelRij = 38;   // row of the dashed link

QImage relaisMet(bool gesloten) {
    Doek d(relaisBreedte, relaisHoogte);

    // Coil, fed from the upper left, its other end to ground.
    const int spoel = 24;
    d.hLijn(0, spoel, terminalBoven);
    d.vLijn(spoel, terminalBoven, 24);
    d.rechthoek(spoel - 7, 24, spoel + 7, 44);
    d.lijn(spoel - 7, 44, spoel + 7, 24);
    d.vLijn(spoel, 44, 52);
    aarde(d, spoel, 52);

    // Pass-through column from input 3 to output 2.
    d.vLijn(doorvoerKolom, terminalBoven, terminalOnder);

    // Contact column from input 2 to output 1, with the moving contact
    // hinged at its lower part.
    d.vLijn(contactKolom, terminalBoven, contactVast);
    d.vLijn(contactKolom, scharnier, terminalOnder);
    d.blok(contactKolom - 1, scharnier - 1, contactKolom + 1, scharnier + 1);
    int koppelEinde;
    if (gesloten) {
        d.vLijn(contactKolom, contactVast, scharnier);
        koppelEinde = contactKolom - 2;
    } else {
        const QPoint vrij(contactKolom - 9, contactVast - 2);
        d.lijn(contactKolom, scharnier, vrij.x(), vrij.y());
        // Where the blade crosses the link's row, less a pixel of space.
        koppelEinde = contactKolom - (scharnier - koppelRij) * 9 / (scharnier - vrij.y()) - 2;
    }
    d.stippelLijn(spoel + 9, koppelEinde, koppelRij, 3, 2);
    return d.beeld();
}

} // namespace

QImage relais() {
    return relaisMet(false);
}

QImage relais2() {
    return relaisMet(true);
}

QImage zoemer() {
    // The buzzer's only terminal stands far to the left; the picture is the
    // loudspeaker alone, centred on row 28, the input's row.
    Doek d(38, 54);
    const int midden = 28;
    d.rechthoek(3, midden - 9, 12, midden + 9);
    d.lijn(12, midden - 9, 33, midden - 25);
    d.lijn(12, midden + 9, 33, midden + 25);
    d.vLijn(33, midden - 25, midden + 25);
    return d.beeld();
}

// ---- Keys ------------------------------------------------------------------------------

QImage knopOmhoog() {
    // A raised key: a two-pixel frame around the face, light on the top and
    // left, on the bottom and right a dark inner pixel and a black outer one.
    // The frame is equally wide on every side, so the key turned by half a
    // turn is a sunken key over the same face.
    QImage k(16, 16, QImage::Format_RGB888);
    k.fill(QColor(84, 84, 245));
    const QColor licht[2] = {QColor(200, 200, 255), QColor(150, 150, 250)};
    const QColor donker[2] = {QColor(0, 0, 0), QColor(40, 40, 150)};
    // Outer ring first; the dark edges win in the corners where they meet the light.
    for (int ring = 0; ring < 2; ++ring) {
        const int lo = ring;
        const int hi = 15 - ring;
        for (int i = lo; i <= hi; ++i) {
            k.setPixelColor(i, lo, licht[ring]);
            k.setPixelColor(lo, i, licht[ring]);
        }
        for (int i = lo; i <= hi; ++i) {
            k.setPixelColor(i, hi, donker[ring]);
            k.setPixelColor(hi, i, donker[ring]);
        }
    }
    return k;
}

QImage knopOmlaag() {
    const QImage op = knopOmhoog();
    QImage k(op.size(), QImage::Format_RGB888);
    for (int y = 0; y < op.height(); ++y)
        for (int x = 0; x < op.width(); ++x)
            k.setPixel(x, y, op.pixel(op.width() - 1 - x, op.height() - 1 - y));
    return k;
}

} // namespace tekeningen
