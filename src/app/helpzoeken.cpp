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
        // A tab inside the text would have split it: the rest is all text.
        p.tekstGevouwen =
            vouw(QString::fromUtf8(regel.mid(velden[0].size() + velden[1].size() + 2)));
        p.titelGevouwen = vouw(p.treffer.titel);
        m_paginas.append(std::move(p));
    }
    return !m_paginas.isEmpty();
}

QList<THelpZoeker::Treffer> THelpZoeker::zoek(const QString& vraag) const {
    static const QRegularExpression scheiding(QStringLiteral("[\\s,;]+"));
    QStringList woorden = vouw(vraag).split(scheiding, Qt::SkipEmptyParts);
    woorden.removeDuplicates();
    if (woorden.isEmpty())
        return {};
    struct Kandidaat {
        int inTitel;
        qsizetype volgorde;
    };
    QList<Kandidaat> kandidaten;
    for (qsizetype i = 0; i < m_paginas.size(); ++i) {
        const Pagina& p = m_paginas[i];
        int inTitel = 0;
        bool alles = true;
        for (const QString& w : woorden) {
            const bool titel = p.titelGevouwen.contains(w);
            if (!titel && !p.tekstGevouwen.contains(w)) {
                alles = false;
                break;
            }
            inTitel += titel ? 1 : 0;
        }
        if (alles)
            kandidaten.append({inTitel, i});
    }
    std::stable_sort(kandidaten.begin(), kandidaten.end(),
                     [](const Kandidaat& a, const Kandidaat& b) { return a.inTitel > b.inTitel; });
    QList<Treffer> uit;
    uit.reserve(kandidaten.size());
    for (const Kandidaat& k : kandidaten)
        uit.append(m_paginas[k.volgorde].treffer);
    return uit;
}
