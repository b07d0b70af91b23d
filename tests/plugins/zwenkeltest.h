// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Helpers for the plug-in tests: a folder of built test libraries standing in
// for the program's folder, and the libraries' own test exports.
#pragma once

#include "app/kwintelvlak.h"
#include "platform/bibliotheek.h"
#include "plugins/kwintel_plugin.h"
#include "plugins/zwenkel.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <climits>
#include <cstring>
#include <memory>

namespace zwenkeltest {

// The given test libraries (names without suffix) copied into a fresh
// folder, which discovery searches while this object lives.
struct Map {
    QTemporaryDir dir;
    std::unique_ptr<platform::ZwenkelMapVoorTest> seam;
    explicit Map(const QStringList& namen) {
        for (const QString& naam : namen)
            QFile::copy(QStringLiteral(KWINTEL_TEST_ZWENKEL_MAP "/") + naam +
                            platform::bibliotheekAchtervoegsel(),
                        dir.filePath(naam + platform::bibliotheekAchtervoegsel()));
        seam = std::make_unique<platform::ZwenkelMapVoorTest>(dir.path());
    }
    // Another file in the folder.
    void schrijf(const QString& naam, const QByteArray& inhoud) {
        QFile f(dir.filePath(naam));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhoud);
    }
};

// The catalogue entry of a library by file name ("tz_i" for tz_i.so).
inline PModuleSoort soortVan(TfKwintelvlak& form, const QString& naam) {
    const QByteArray bestand = (naam + platform::bibliotheekAchtervoegsel()).toUtf8();
    return form.zoekLoadedModule(soorten::zwenkel, bestand.constData(), false);
}

// A test export of a loaded library.
template <class F> F exportVan(TfKwintelvlak& form, const QString& naam, const char* functie) {
    PModuleSoort s = soortVan(form, naam);
    return s ? reinterpret_cast<F>(platform::zoekExport(
                   static_cast<platform::Bibliotheek*>(s->bibliotheek), functie))
             : nullptr;
}

// The test library's settings for the modules it makes next: breedte,
// minHoogte, ingangenTop, basisTop, uitgangenTop, inputs, outputs.
inline void stel(TfKwintelvlak& form, const QString& naam, std::array<int, 7> velden) {
    std::int32_t v[7];
    for (int i = 0; i < 7; ++i)
        v[i] = velden[static_cast<size_t>(i)];
    exportVan<void (*)(const std::int32_t*)>(form, naam, "test_stel")(v);
}
inline void stelUit(TfKwintelvlak& form, const QString& naam, int monster) {
    exportVan<void (*)(int)>(form, naam, "test_stel_uit")(monster);
}
inline void stelSave(TfKwintelvlak& form, const QString& naam, int resultaat) {
    exportVan<void (*)(int)>(form, naam, "test_stel_save")(resultaat);
}
inline void zetTekst(TfKwintelvlak& form, const QString& naam, TZwenkelMod* m, const char* t) {
    exportVan<void (*)(TZwenkelBeschrijving*, const char*)>(form, naam,
                                                            "test_zet_tekst")(m->beschrijving, t);
}
inline QByteArray tekst(TfKwintelvlak& form, const QString& naam, TZwenkelMod* m) {
    return QByteArray(exportVan<const char* (*)(TZwenkelBeschrijving*)>(form, naam, "test_tekst")(
        m->beschrijving));
}
struct Tellers {
    int creates = 0, destroys = 0, aanroepen = 0;
};
inline Tellers tellers(TfKwintelvlak& form, const QString& naam) {
    Tellers t;
    t.aanroepen =
        exportVan<int (*)(int*, int*)>(form, naam, "test_tellers")(&t.creates, &t.destroys);
    return t;
}
// One logged "action" call: input, output, ones text in the input place, in
// the output place, empty input text, empty output text, first sample.
struct Aanroep {
    int ingang, uitgang, eenenIn, eenenUit, legeIn, legeUit, monster;
    bool operator==(const Aanroep&) const = default;
};
inline Aanroep aanroep(TfKwintelvlak& form, const QString& naam, int i) {
    Aanroep a;
    std::memcpy(&a, exportVan<const int* (*)(int)>(form, naam, "test_aanroep")(i), sizeof a);
    return a;
}
inline void wisLog(TfKwintelvlak& form, const QString& naam) {
    exportVan<void (*)()>(form, naam, "test_wis")();
}

// A plug-in module of a library, made as the menu makes it.
inline TZwenkelMod* maak(TfKwintelvlak& form, const QString& naam, int top = 0, int left = 0) {
    return qobject_cast<TZwenkelMod*>(form.maakModule(soortVan(form, naam), top, left));
}

} // namespace zwenkeltest
