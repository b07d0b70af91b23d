// Finding help pages by the words in them. The help file carries its search
// data ("zoeken.txt", made when the help is built): one line per page with
// its path, its title and its plain text. Every word asked for must occur in
// the title or the text; case and accents do not count, and a word may be
// part of a longer one ("geheugen cel" finds "Geheugencel").
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

    // Reads the search data; lines that are not "path TAB title TAB text" are
    // passed over. Returns false when no page could be read.
    bool laad(const QByteArray& gegevens);
    bool leeg() const { return m_paginas.isEmpty(); }
    qsizetype aantalPaginas() const { return m_paginas.size(); }

    // The pages holding every word of vraag: those with the most words in
    // their title first, then in the order of the data. Nothing for a
    // question without words.
    QList<Treffer> zoek(const QString& vraag) const;

    // Lower case without accents, for comparing: "Één" gives "een".
    static QString vouw(const QString& tekst);

private:
    struct Pagina {
        Treffer treffer;
        QString titelGevouwen;
        QString tekstGevouwen;
    };
    QList<Pagina> m_paginas;
};
