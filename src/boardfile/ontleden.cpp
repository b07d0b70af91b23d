// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Splitting a board file's text into its header and module records.
#include "boardfile/bordbestand.h"

#include "app/modulesoort.h"

#include <algorithm>

namespace bordbestand {

namespace {

bool isBlanco(char c) {
    return c == ' ' || c == '\t';
}

int cijferWaarde(char c, int grondtal) {
    int w = -1;
    if (c >= '0' && c <= '9')
        w = c - '0';
    else if (c >= 'a' && c <= 'f')
        w = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        w = c - 'A' + 10;
    return w < grondtal ? w : -1;
}

// Takes a line's fields from the front: a field is the text before the first
// "|" and goes together with that bar. Once no bar is left every further
// field is empty, and the text after the last bar is never a field.
class Velden {
public:
    explicit Velden(QByteArrayView regel) : m_rest(regel) {}

    QByteArrayView volgende() {
        if (m_op)
            return {};
        const qsizetype balk = m_rest.indexOf('|');
        if (balk < 0) {
            m_op = true;
            return {};
        }
        const QByteArrayView veld = m_rest.first(balk);
        m_rest = m_rest.sliced(balk + 1);
        return veld;
    }
    // Skips fields; stops early once nothing but empty fields is left.
    void sla(qint64 aantal) {
        for (; aantal > 0 && !m_op; --aantal)
            volgende();
    }

private:
    QByteArrayView m_rest;
    bool m_op = false;
};

} // namespace

std::optional<int> alsGeheel(QByteArrayView veld) {
    qsizetype begin = 0;
    qsizetype eind = veld.size();
    while (begin < eind && isBlanco(veld[begin]))
        ++begin;
    while (eind > begin && isBlanco(veld[eind - 1]))
        --eind;
    bool negatief = false;
    if (begin < eind && (veld[begin] == '+' || veld[begin] == '-')) {
        negatief = veld[begin] == '-';
        ++begin;
    }
    int grondtal = 10;
    if (begin < eind && veld[begin] == '$') {
        grondtal = 16;
        ++begin;
    }
    if (begin == eind)
        return std::nullopt;
    const qint64 grens = negatief ? 2147483648LL : 2147483647LL;
    qint64 waarde = 0;
    for (qsizetype i = begin; i < eind; ++i) {
        const int cijfer = cijferWaarde(veld[i], grondtal);
        if (cijfer < 0)
            return std::nullopt;
        waarde = waarde * grondtal + cijfer;
        if (waarde > grens)
            return std::nullopt;
    }
    return static_cast<int>(negatief ? -waarde : waarde);
}

std::vector<QByteArrayView> regels(QByteArrayView tekst) {
    std::vector<QByteArrayView> lijst;
    qsizetype begin = 0;
    const qsizetype n = tekst.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = tekst[i];
        if (c != '\r' && c != '\n')
            continue;
        lijst.push_back(tekst.sliced(begin, i - begin));
        if (c == '\r' && i + 1 < n && tekst[i + 1] == '\n')
            ++i;
        begin = i + 1;
    }
    if (begin < n)
        lijst.push_back(tekst.sliced(begin));
    return lijst;
}

Kop leesKop(QByteArrayView regel) {
    Kop kop;
    kop.logo = !regel.isEmpty() && regel[0] == 'S';
    const qsizetype balk = regel.indexOf('|');
    if (balk < 0 || balk + 1 >= regel.size()) {
        kop.tellerDoorlopen = false;
    } else {
        // Blank means a space or a control character.
        const auto c = static_cast<unsigned char>(regel[balk + 1]);
        kop.tellerDoorlopen = c > ' ' && c != 0x7F;
    }
    return kop;
}

ModuleRegel leesModuleRegel(QByteArrayView regel, int regelNummer) {
    ModuleRegel r;
    r.regelNummer = regelNummer;
    Velden velden(regel);
    r.top = alsGeheel(velden.volgende()).value_or(0);
    r.left = alsGeheel(velden.volgende()).value_or(0);
    const QByteArrayView soortVeld = velden.volgende();
    r.soort = alsGeheel(soortVeld).value_or(soorten::zwenkel);
    if (r.soort == soorten::zwenkel)
        r.naam = soortVeld.toByteArray();
    velden.volgende(); // the number: modules are numbered as they are read
    r.n = alsGeheel(velden.volgende()).value_or(0);

    const qint64 draadVelden = 3 * qint64(std::max(r.n, 0));
    const qint64 bewaard = 3 * qint64(std::clamp(r.n, 0, kMaxUitgangen));
    r.draadVelden.reserve(static_cast<size_t>(bewaard));
    for (qint64 i = 0; i < bewaard; ++i)
        r.draadVelden.push_back(velden.volgende().toByteArray());
    velden.sla(draadVelden - bewaard);

    r.instelling = velden.volgende().toByteArray();
    r.variant =
        (r.soort == soorten::split || r.soort == soorten::invertor) && r.instelling.startsWith('S');
    return r;
}

BordInhoud ontleed(QByteArrayView tekst) {
    BordInhoud inhoud;
    const std::vector<QByteArrayView> lijst = regels(tekst);
    if (lijst.empty())
        return inhoud;
    inhoud.kop = leesKop(lijst.front());
    inhoud.modules.reserve(lijst.size() - 1);
    for (size_t i = 1; i < lijst.size(); ++i)
        inhoud.modules.push_back(leesModuleRegel(lijst[i], static_cast<int>(i + 1)));
    return inhoud;
}

} // namespace bordbestand
