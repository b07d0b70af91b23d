// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Finding plug-in libraries at start-up and releasing them at shutdown.
#include "app/kwintelvlak.h"

#include "boardfile/cp1252.h"
#include "modules/fabriek.h"
#include "platform/bibliotheek.h"
#include "plugins/kwintel_plugin.h"
#include "plugins/zwenkel.h"

#include <QAction>
#include <QDir>
#include <QHash>
#include <QMenu>
#include <QTextStream>
#include <cstring>

namespace {

// Every export a library needs to work as a module, "init" first.
constexpr const char* kNodigeExports[] = {"init", "create", "action", "open", "save", "destroy"};

// The menu caption a library gives, or an empty text with the reason why it
// is not a plug-in of ours.
QString vraagOpschrift(platform::Bibliotheek* lib, QString& reden) {
    QStringList ontbreekt;
    for (const char* naam : kNodigeExports)
        if (!platform::zoekExport(lib, naam))
            ontbreekt << QLatin1Char('"') + QLatin1String(naam) + QLatin1Char('"');
    if (!ontbreekt.isEmpty()) {
        reden = QStringLiteral("geen export ") + ontbreekt.join(QStringLiteral(", "));
        return {};
    }
    auto init = reinterpret_cast<kwintel_init_fn>(platform::zoekExport(lib, "init"));
    // One spare zero beyond the 256 characters, whatever the library does.
    char buffer[KWINTEL_INIT_CAPACITEIT + 2] = {};
    const int resultaat = init(buffer, KWINTEL_INIT_CAPACITEIT);
    if (resultaat == 0) {
        reden = QStringLiteral("init gaf 0");
        return {};
    }
    buffer[KWINTEL_INIT_CAPACITEIT + 1] = '\0';
    if (buffer[0] == '\0') {
        reden = QStringLiteral("init gaf een lege tekst");
        return {};
    }
    if (buffer[0] != 'I' && buffer[0] != 'O') {
        reden = QStringLiteral("tekst begint met '%1'")
                    .arg(zwenkelLeesbaar(cp1252::naarTekst(QByteArray(buffer, 1))));
        return {};
    }
    return cp1252::naarTekst(QByteArray(buffer, static_cast<qsizetype>(std::strlen(buffer))));
}

// Whether a board file can name the library: its file name goes into a
// "|"-ended field of a line, in Windows-1252.
bool inBordTeSchrijven(const QString& naam) {
    if (naam.contains(QLatin1Char('|')) || naam.contains(QLatin1Char('\r')) ||
        naam.contains(QLatin1Char('\n')))
        return false;
    return cp1252::naarTekst(cp1252::vanTekst(naam)) == naam;
}

// Loads the library at pad (file name naam) and gives it a catalogue entry
// and a menu item; its caption, or an empty text with the reason why not.
// eerder: where a library of that name was already loaded, if anywhere.
QString laadZwenkel(TfKwintelvlak& form, const QString& pad, const QString& naam,
                    const QString& eerder, QString& reden) {
    if (!eerder.isEmpty()) {
        reden = QStringLiteral("dezelfde bestandsnaam als \"%1\", dat al geladen is")
                    .arg(zwenkelLeesbaar(QDir::toNativeSeparators(eerder)));
        return {};
    }
    const QByteArray naamUtf8 = naam.toUtf8();
    if (naamUtf8.size() > MAX_PATH) {
        reden = QStringLiteral("naam is langer dan %1 bytes").arg(MAX_PATH);
        return {};
    }
    if (!inBordTeSchrijven(naam)) {
        // A board holding its modules could not be read back.
        reden = QStringLiteral("naam past niet in een bordbestand");
        return {};
    }
    QString fout;
    platform::Bibliotheek* lib = platform::laadBibliotheek(pad, &fout);
    if (!lib) {
        reden = QStringLiteral("kan niet geladen worden (%1)").arg(zwenkelLeesbaar(fout));
        return {};
    }
    const QString opschrift = vraagOpschrift(lib, reden);
    if (opschrift.isEmpty()) {
        platform::geefBibliotheekVrij(lib);
        return {};
    }
    auto entry = std::make_unique<TModuleSoort>();
    std::memcpy(entry->naam, naamUtf8.constData(), static_cast<size_t>(naamUtf8.size()));
    entry->soort = soorten::zwenkel;
    entry->bibliotheek = lib;
    entry->finishProc = platform::zoekExport(lib, "finish");
    QAction* item = form.miZwenkel->addAction(opschrift);
    item->setData(QVariant::fromValue(reinterpret_cast<quintptr>(entry.get())));
    QObject::connect(item, &QAction::triggered, &form, [&form, item] { form.miModuleClick(item); });
    form.moduleSoorten.push_back(std::move(entry));
    return opschrift;
}

void weigerZwenkel(TfKwintelvlak& form, const QString& pad, const QString& reden) {
    // The library's author is told on standard error (and a check run
    // repeats it); a pupil sees no menu item.
    const QString regel = QStringLiteral("zwenkel \"%1\" niet geladen: %2")
                              .arg(zwenkelLeesbaar(QDir::toNativeSeparators(pad)), reden);
    form.zwenkelWeigeringen << regel;
    QTextStream(stderr) << "Kwintelvlak: " << regel << '\n';
}

} // namespace

QString zwenkelLeesbaar(const QString& tekst) {
    QString uit;
    uit.reserve(tekst.size());
    for (const QChar c : tekst) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\':
            uit += QStringLiteral("\\\\");
            continue;
        case u'"':
            uit += QStringLiteral("\\\"");
            continue;
        case u'\n':
            uit += QStringLiteral("\\n");
            continue;
        case u'\r':
            uit += QStringLiteral("\\r");
            continue;
        case u'\t':
            uit += QStringLiteral("\\t");
            continue;
        default:
            break;
        }
        const auto soort = c.category();
        if (soort == QChar::Other_Control || soort == QChar::Other_Format ||
            soort == QChar::Separator_Line || soort == QChar::Separator_Paragraph)
            uit += u <= 0xFF ? QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'))
                             : QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        else
            uit += c;
    }
    return uit;
}

void TfKwintelvlak::ontdekZwenkels() {
    zetZwenkelBouwer(maakZwenkelMod);
    zwenkelWeigeringen.clear();
    // Boards name a plug-in by its file name, so one name is one library:
    // the first one accepted, in the order the folders are searched.
    QHash<QString, QString> geladen; // file name -> where it was loaded from
    for (const QString& map : platform::zwenkelMappen()) {
        // By name, so the menu has the same order on every machine.
        const QStringList namen =
            QDir(map).entryList({QLatin1Char('*') + platform::bibliotheekAchtervoegsel()},
                                QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        for (const QString& naam : namen) {
            const QString pad = map + naam;
            QString reden;
            const QString opschrift = laadZwenkel(*this, pad, naam, geladen.value(naam), reden);
            if (!opschrift.isEmpty())
                geladen.insert(naam, pad);
            else
                weigerZwenkel(*this, pad, reden);
        }
    }
    miZwenkel->menuAction()->setVisible(!miZwenkel->actions().isEmpty());
}

void TfKwintelvlak::zwenkelsVrijgeven() {
    for (auto& entry : moduleSoorten) {
        if (entry->soort != soorten::zwenkel || !entry->bibliotheek)
            continue;
        platform::geefBibliotheekVrij(static_cast<platform::Bibliotheek*>(entry->bibliotheek));
        entry->bibliotheek = nullptr;
        entry->finishProc = nullptr;
    }
}
