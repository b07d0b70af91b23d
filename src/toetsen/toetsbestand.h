// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The check file: a teacher's steps and expectations, one a line, read into
// steps before any board is checked, so every mistake in it is reported with
// its line number before anything runs.
//
//   # comment
//   druk Drukschakelaar 1        press a module's key, as a left click does
//   los Drukschakelaar 1         release it
//   zet "Variabele spanning" 1 2,5   a module's setting (the control clamps)
//   geluid 16384                 the sound level the sound sensor reads
//   muis 100 200                 the pointer, in board pixels
//   muis Sensor 1 10 40          the pointer 10, 40 pixels from a module's corner
//   tik 10                       ten clock ticks of 10 ms
//   herhaal 3 ... einde          the steps between them three times
//   verwacht LED 1 aan           LED, buzzer or relay: aan or uit
//   verwacht Pulsenteller 1 7    the counter's display
//   verwacht Invertor 1 uitgang 1 50   the level last sent on an output
//   onderdeel De knop gewicht 2  the expectations below count for this section
//   cijfer 1 10                  a grade from 1 to 10, linear in the score
//   verwacht Transistor 1 ingang 1 blauw   the colour a terminal shows
//   verwacht Drukschakelaar 1 uitgang 1 geel
//
// Modules are named by their kind's menu caption (any case, without the
// access key's "&"; in double quotes when it holds a space), a plug-in kind
// also by its library's file name, and their number within the kind. The
// comment after a "verwacht" line describes that expectation. Repeats are
// written out when the file is read, so a check is a flat list of steps.
// The file may be saved as UTF-8 (with or without a byte-order mark), as
// UTF-16 with a byte-order mark, or in Windows-1252 as board files are.
#pragma once

#include "app/modulesoort.h"
#include "modules/kleuren.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace toetsbestand {

// A kind by its menu caption, as the check file may name it.
struct Soortnaam {
    QString naam; // the caption without "&"
    PModuleSoort entry = nullptr;
};

struct ModuleNaam {
    QString naam; // the caption as the menu shows it, without "&"
    PModuleSoort entry = nullptr;
    int nummer = 0;
    QString tekst() const { return naam + QLatin1Char(' ') + QString::number(nummer); }
    // As a check file writes it: the name in quotes when it holds a space.
    QString alsInToets() const;
};

enum class Stap {
    Druk,
    Los,
    Zet,
    Geluid,
    Muis,
    Tik,
    VerwachtAanUit,  // LED, buzzer, relay
    VerwachtTeller,  // the pulse counter's display
    VerwachtUitgang, // an output's level
    VerwachtKleur,   // the colour an input or output shows
};

struct Regel {
    Stap stap = Stap::Tik;
    int regelNummer = 0;
    ModuleNaam module;
    int getal = 0;         // tik: ticks; geluid: level; uitgang: output number
    double waarde = 0;     // zet: the value as written (volts, hertz)
    int x = 0, y = 0;      // muis: the point, or the offset from the module's corner
    bool relatief = false; // muis MODULE N DX DY
    bool aan = false;      // verwacht ... aan|uit
    int niveau = 0;        // verwacht ... uitgang k L
    QString weergave;      // verwacht Pulsenteller: the digit, upper case; kleur: the name
    bool ingang = false;   // verwacht ... kleur: getal is an input's number, not an output's
    TColor kleur = 0;      // verwacht ... kleur
    QString commentaar;    // the teacher's comment after the step
    // Inside repeats: the round, outermost first ("2", "2.3"); else empty.
    QString ronde;
    int onderdeel = 0; // the section of an expectation, in Toets::onderdelen
    // The step as the check file writes it, for messages: "druk Drukschakelaar 1",
    // zet "Puls generator" 1 5.
    QString stapTekst() const;
    bool isVerwachting() const {
        return stap == Stap::VerwachtAanUit || stap == Stap::VerwachtTeller ||
               stap == Stap::VerwachtUitgang || stap == Stap::VerwachtKleur;
    }
};

struct Fout {
    int regelNummer = 0;
    QString tekst;
};

// A group of expectations with its weight in the grade: "onderdeel NAAM
// [gewicht N]". Expectations above the first such line form a section of
// their own.
struct Onderdeel {
    QString naam;
    int gewicht = 1;
    int regelNummer = 0; // 0: the expectations above the first section line
};

// "cijfer LAAG HOOG": the grade of no expectation met and of all met.
struct Cijfer {
    double laag = 1;
    double hoog = 10;
    int regelNummer = 0;
};

struct Toets {
    std::vector<Regel> regels;
    std::vector<Fout> fouten;
    // Empty when the file has no "onderdeel" lines: one section, the whole check.
    std::vector<Onderdeel> onderdelen;
    std::optional<Cijfer> cijfer;
    int verwachtingen() const;
};

// The colours a terminal shows, by the names the help gives them ("geel",
// "donkerblauw"); nothing for another word.
std::optional<TColor> aansluitingKleur(const QString& naam);

// Reads a check file's text against the captions of the kinds on offer.
Toets lees(QStringView tekst, const std::vector<Soortnaam>& soorten);

// A check file's bytes as text: UTF-8 with or without a byte-order mark,
// UTF-16 with one, otherwise Windows-1252. Nothing when the bytes are no
// text: a zero byte, or many control characters.
std::optional<QString> alsTekst(QByteArrayView bytes);

// A text fit to print on one line of a terminal: control characters shown as
// "\x1B", a tab as a space, and cut after maxTekens characters with "...".
QString zichtbaar(QStringView tekst, qsizetype maxTekens = -1);

// Limits of the numbers a check file may hold.
inline constexpr int kMaxNummer = 1000;
inline constexpr int kMaxGeluid = 32768;
inline constexpr int kMaxPositie = 100000;
inline constexpr int kMaxInstelling = 1000000;
// Ten minutes of simulated time in one step.
inline constexpr int kMaxTikken = 60000;
// What repeats may make of a check: steps in all, and simulated time in
// all (an hour), so a check file cannot keep the checker busy for hours.
inline constexpr int kMaxStappen = 100000;
inline constexpr qint64 kMaxTotaalTikken = 360000;
inline constexpr int kMaxHerhaling = 10000;
inline constexpr int kMaxGewicht = 1000;
inline constexpr double kMaxCijfer = 1000;

} // namespace toetsbestand
