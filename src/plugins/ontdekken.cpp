// Finding plug-in libraries at start-up and releasing them at shutdown.
#include "app/kwintelvlak.h"

#include "boardfile/cp1252.h"
#include "modules/fabriek.h"
#include "platform/bibliotheek.h"
#include "plugins/kwintel_plugin.h"
#include "plugins/zwenkel.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTextStream>
#include <cstring>

namespace {

// A library that lacks one of these could not work as a module.
constexpr const char* kNodig[] = {"create", "action", "open", "save", "destroy"};

// The menu caption a library gives, or an empty text when it is not a
// plug-in of ours.
QString vraagOpschrift(platform::Bibliotheek* lib) {
    auto init = reinterpret_cast<kwintel_init_fn>(platform::zoekExport(lib, "init"));
    if (!init)
        return {};
    for (const char* naam : kNodig)
        if (!platform::zoekExport(lib, naam))
            return {};
    // One spare zero beyond the 256 characters, whatever the library does.
    char buffer[KWINTEL_INIT_CAPACITEIT + 2] = {};
    if (init(buffer, KWINTEL_INIT_CAPACITEIT) == 0)
        return {};
    buffer[KWINTEL_INIT_CAPACITEIT + 1] = '\0';
    if (buffer[0] != 'I' && buffer[0] != 'O')
        return {};
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

} // namespace

void TfKwintelvlak::ontdekZwenkels() {
    zetZwenkelBouwer(maakZwenkelMod);
    const QString map = platform::zwenkelMap();
    // By name, so the menu has the same order on every machine.
    const QStringList namen =
        QDir(map).entryList({QLatin1Char('*') + platform::bibliotheekAchtervoegsel()},
                            QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& naam : namen) {
        const QByteArray naamUtf8 = naam.toUtf8();
        if (naamUtf8.size() > MAX_PATH)
            continue; // cannot be named in the catalogue
        if (!inBordTeSchrijven(naam)) {
            // A board holding its modules could not be read back; the
            // library's author is told, a pupil sees no menu item.
            QTextStream(stderr) << QStringLiteral(
                                       "Kwintelvlak: zwenkel \"%1\" niet geladen: een bordbestand "
                                       "kan deze bestandsnaam niet bewaren (geen \"|\", regeleinde "
                                       "of teken buiten Windows-1252).\n")
                                       .arg(naam);
            continue;
        }
        platform::Bibliotheek* lib = platform::laadBibliotheek(map + naam);
        if (!lib)
            continue;
        const QString opschrift = vraagOpschrift(lib);
        if (opschrift.isEmpty()) {
            platform::geefBibliotheekVrij(lib);
            continue;
        }
        auto entry = std::make_unique<TModuleSoort>();
        std::memcpy(entry->naam, naamUtf8.constData(), static_cast<size_t>(naamUtf8.size()));
        entry->soort = soorten::zwenkel;
        entry->bibliotheek = lib;
        entry->finishProc = platform::zoekExport(lib, "finish");
        QAction* item = miZwenkel->addAction(opschrift);
        item->setData(QVariant::fromValue(reinterpret_cast<quintptr>(entry.get())));
        connect(item, &QAction::triggered, this, [this, item] { miModuleClick(item); });
        moduleSoorten.push_back(std::move(entry));
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
