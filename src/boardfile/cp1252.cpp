// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "boardfile/cp1252.h"

namespace {

// The characters of bytes 0x80..0x9F; the other bytes stand for the Unicode
// character of the same number.
constexpr char16_t kBovenste[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char byteVoor(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kBovenste[i] == c)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

namespace cp1252 {

QString naarTekst(QByteArrayView bytes) {
    QString tekst(bytes.size(), Qt::Uninitialized);
    QChar* uit = tekst.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *uit++ = QChar(u >= 0x80 && u < 0xA0 ? kBovenste[u - 0x80] : char16_t(u));
    }
    return tekst;
}

QByteArray vanTekst(QStringView tekst) {
    QByteArray bytes;
    bytes.reserve(tekst.size());
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        const QChar c = tekst[i];
        // A character beyond the 16-bit range is one "?", not two.
        if (c.isHighSurrogate() && i + 1 < tekst.size() && tekst[i + 1].isLowSurrogate())
            ++i;
        bytes += byteVoor(c.unicode());
    }
    return bytes;
}

} // namespace cp1252
