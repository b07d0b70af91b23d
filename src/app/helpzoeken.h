// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Finding help pages by the words in them. The help file carries its search
// data ("zoeken.txt", made when the help is built): one line per page with
// its path, its title, its key words and its plain text. Every word asked for
// must occur in the page; case does not count, and accents count only when
// the word asked for has them ("een" finds "één", "één" finds only "één").
// Pages where the words stand in the title or the key words come first,
// whole words before parts of words, then pages where they stand in the text
// as whole words; a word may also be part of a longer one ("geheugen cel"
// finds "Geheugencel").
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class THelpZoeker {
public:
    struct Treffer {
        QString pad;   // absolute path inside the help file ("/modules/led.html")
        QString titel; // the page's title
    };

    // Reads the search data, "path TAB title TAB key words TAB text" a line
    // (an older "path TAB title TAB text" is read too); other lines are
    // passed over. Returns false when no page could be read.
    bool laad(const QByteArray& gegevens);
    bool leeg() const { return m_paginas.isEmpty(); }
    qsizetype aantalPaginas() const { return m_paginas.size(); }

    // The pages holding every word of vraag, best first (see above), and in
    // the order of the data where they rank alike. Nothing for a question
    // without words.
    QList<Treffer> zoek(const QString& vraag) const;

    // Lower case without accents, for comparing: "Één" gives "een".
    static QString vouw(const QString& tekst);

private:
    // A piece of a page in the two forms words are compared with.
    struct Tekst {
        QString metAccenten;    // case folded
        QString zonderAccenten; // case folded, accents removed
        void zet(const QString& t);
        const QString& voor(bool accenten) const { return accenten ? metAccenten : zonderAccenten; }
    };
    struct Pagina {
        Treffer treffer;
        Tekst kop; // the title and the key words
        Tekst tekst;
    };
    QList<Pagina> m_paginas;
};
