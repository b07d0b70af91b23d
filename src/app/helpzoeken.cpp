// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "app/helpzoeken.h"

#include <QRegularExpression>

#include <algorithm>

QString THelpZoeker::vouw(const QString& tekst) {
    const QString ontleed = tekst.normalized(QString::NormalizationForm_KD);
    QString uit;
    uit.reserve(ontleed.size());
    for (const QChar c : ontleed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        uit.append(c);
    }
    return uit.toCaseFolded();
}

void THelpZoeker::Tekst::zet(const QString& t) {
    // Composed, so that "é" typed either way compares alike.
    metAccenten = t.normalized(QString::NormalizationForm_C).toCaseFolded();
    zonderAccenten = vouw(t);
}

bool THelpZoeker::laad(const QByteArray& gegevens) {
    m_paginas.clear();
    for (const QByteArray& regel : gegevens.split('\n')) {
        const QList<QByteArray> velden = regel.split('\t');
        if (velden.size() < 3 || velden[0].isEmpty())
            continue;
        Pagina p;
        const QString pad = QString::fromUtf8(velden[0]).trimmed();
        p.treffer.pad = pad.startsWith(QLatin1Char('/')) ? pad : QLatin1Char('/') + pad;
        p.treffer.titel = QString::fromUtf8(velden[1]).trimmed();
        const bool metTrefwoorden = velden.size() >= 4;
        const QString trefwoorden = metTrefwoorden ? QString::fromUtf8(velden[2]) : QString();
        // The text holds no tab; whatever follows the fields before it is text.
        qsizetype begin = velden[0].size() + velden[1].size() + 2;
        if (metTrefwoorden)
            begin += velden[2].size() + 1;
        // Title and key words are kept apart by a line break, so that no
        // word runs from one into the other.
        p.kop.zet(p.treffer.titel + QLatin1Char('\n') + trefwoorden);
        p.tekst.zet(QString::fromUtf8(regel.mid(begin)));
        m_paginas.append(std::move(p));
    }
    return !m_paginas.isEmpty();
}

namespace {

enum class HelpVondst { Niet, Deel, Woord };

bool helpIsWoordteken(const QString& s, qsizetype i) {
    return i >= 0 && i < s.size() && s.at(i).isLetterOrNumber();
}

// Whether w stands in s as a whole word (nothing of a word right before or
// after it), only as part of a longer word, or not at all.
HelpVondst helpZoekWoord(const QString& s, const QString& w) {
    HelpVondst uit = HelpVondst::Niet;
    for (qsizetype i = s.indexOf(w); i >= 0; i = s.indexOf(w, i + 1)) {
        if (!helpIsWoordteken(s, i - 1) && !helpIsWoordteken(s, i + w.size()))
            return HelpVondst::Woord;
        uit = HelpVondst::Deel;
    }
    return uit;
}

} // namespace

QList<THelpZoeker::Treffer> THelpZoeker::zoek(const QString& vraag) const {
    static const QRegularExpression scheiding(QStringLiteral("[\\s,;]+"));
    QStringList woorden = vraag.normalized(QString::NormalizationForm_C)
                              .toCaseFolded()
                              .split(scheiding, Qt::SkipEmptyParts);
    woorden.removeDuplicates();
    if (woorden.isEmpty())
        return {};
    // A word asked for with accents is compared with them.
    QList<bool> accenten;
    for (const QString& w : woorden)
        accenten.append(vouw(w) != w);
    for (qsizetype k = 0; k < woorden.size(); ++k)
        if (!accenten[k])
            woorden[k] = vouw(woorden[k]);

    struct Kandidaat {
        int kopWoord = 0; // words standing whole in the title or key words
        int kopDeel = 0;  // words standing there only as part of a word
        int tekstWoord = 0;
        qsizetype volgorde = 0;
    };
    QList<Kandidaat> kandidaten;
    for (qsizetype i = 0; i < m_paginas.size(); ++i) {
        const Pagina& p = m_paginas[i];
        Kandidaat k;
        k.volgorde = i;
        bool alles = true;
        for (qsizetype j = 0; j < woorden.size() && alles; ++j) {
            const HelpVondst kop = helpZoekWoord(p.kop.voor(accenten[j]), woorden[j]);
            const HelpVondst tekst = kop == HelpVondst::Woord
                                         ? HelpVondst::Niet
                                         : helpZoekWoord(p.tekst.voor(accenten[j]), woorden[j]);
            k.kopWoord += kop == HelpVondst::Woord;
            k.kopDeel += kop == HelpVondst::Deel;
            k.tekstWoord += tekst == HelpVondst::Woord;
            alles = kop != HelpVondst::Niet || tekst != HelpVondst::Niet;
        }
        if (alles)
            kandidaten.append(k);
    }
    std::stable_sort(kandidaten.begin(), kandidaten.end(),
                     [](const Kandidaat& a, const Kandidaat& b) {
                         if (a.kopWoord != b.kopWoord)
                             return a.kopWoord > b.kopWoord;
                         if (a.kopDeel != b.kopDeel)
                             return a.kopDeel > b.kopDeel;
                         return a.tekstWoord > b.tekstWoord;
                     });
    QList<Treffer> uit;
    uit.reserve(kandidaten.size());
    for (const Kandidaat& k : kandidaten)
        uit.append(m_paginas[k.volgorde].treffer);
    return uit;
}
