// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The text of a ".brd" board file, without widgets: splitting it into the
// header's two options and one record per module line, each with its fields
// as they stand in the file. Building the board from the records is the main
// window's job (lezen.cpp); writing is schrijven.cpp.
//
// A board file is text in Windows-1252. Line 1 is the header, e.g.
// "EKWINTELVLAK V1.5|1"; every further line is one module, its fields each
// ended by "|":
//   top | left | kind | number | n | n wire triples | setting |
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <vector>

namespace bordbestand {

// The header every board file starts with, up to the counter option.
inline constexpr char kKopTekst[] = "KWINTELVLAK V1.5|";

// The most outputs any module has; wire fields beyond this many triples can
// never be used and are not kept.
inline constexpr int kMaxUitgangen = 10;

// A field read as a whole number, the way boards have always been read:
//   - blanks (spaces, tabs) before and after the number are allowed;
//   - an optional "+" or "-" sign;
//   - then decimal digits, or "$" and hexadecimal digits ("$1F" is 31);
//   - the value must fit a 32-bit signed integer, otherwise (like an empty
//     field, "1.5", "12abc" or "--1") the field is not a number.
// Leading zeros are allowed. Nothing can overflow: the digits are counted
// in 64 bits and given up as soon as the value leaves the 32-bit range.
std::optional<int> alsGeheel(QByteArrayView veld);

struct Kop {
    bool logo = false;           // first character "S"
    bool tellerDoorlopen = true; // a non-blank character after the first "|"
};

// One module line as the file gives it. Nothing here is checked against the
// catalogue or the board.
struct ModuleRegel {
    int regelNummer = 0; // line number in the file, the header being 1
    int top = 0;         // 0 when the field is not a number
    int left = 0;
    int soort = 20;  // the kind field as a number; 20 when it is not one
    QByteArray naam; // the kind field's text when soort is 20, else empty
    int n = 0;       // how many wire triples the line says follow
    // The wire fields of the first min(n, 10) triples, three per output
    // (kind, module number, input), unconverted: a field that is not a
    // number stops the reading only when the module gets to use it.
    std::vector<QByteArray> draadVelden;
    QByteArray instelling; // the field after the n triples
    bool variant = false;  // kind 9 or 11 with a setting starting with "S"
};

struct BordInhoud {
    // An empty file has no lines, hence no header: the options stay as a
    // cleared board has them.
    std::optional<Kop> kop;
    std::vector<ModuleRegel> modules;
};

// The lines of a text: CR, LF and CR LF each end a line; a last line
// without an end counts too, but an end after the last line opens no new one.
std::vector<QByteArrayView> regels(QByteArrayView tekst);

Kop leesKop(QByteArrayView regel);
ModuleRegel leesModuleRegel(QByteArrayView regel, int regelNummer);

BordInhoud ontleed(QByteArrayView tekst);

} // namespace bordbestand
