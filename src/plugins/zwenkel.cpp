// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "plugins/zwenkel.h"

#include "app/berichten.h"
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/fabriek.h"
#include "platform/bibliotheek.h"
#include "platform/venstersysteem.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstring>

namespace {

constexpr int kRaster = 24; // terminals stand 24 pixels apart

template <class F> F zoek(platform::Bibliotheek* b, const char* naam) {
    return reinterpret_cast<F>(platform::zoekExport(b, naam));
}

// Pixel values from the descriptor, computed wide and kept within bounds, so
// no value a library returns can overflow the arithmetic.
int binnen(long long waarde) {
    return static_cast<int>(
        std::clamp(waarde, -1LL * TZwenkelMod::kMaxAfmeting, 1LL * TZwenkelMod::kMaxAfmeting));
}

// Window systems whose window handle a library can draw into.
bool handvatTekenbaar() {
    const QString naam = QGuiApplication::platformName();
    return naam == QLatin1String("xcb") || naam == QLatin1String("windows");
}

} // namespace

TZwenkelMod::TZwenkelMod(TfKwintelvlak* owner, PModuleSoort entry) : TModule(owner) {
    // 2. The exports, each looked up on this library's own handle.
    auto* lib = static_cast<platform::Bibliotheek*>(entry->bibliotheek);
    createProc = zoek<kwintel_create_fn>(lib, "create");
    actionProc = zoek<kwintel_action_fn>(lib, "action");
    showProc = zoek<kwintel_ongebruikt_fn>(lib, "show");
    hideProc = zoek<kwintel_ongebruikt_fn>(lib, "hide");
    openProc = zoek<kwintel_open_fn>(lib, "open");
    saveProc = zoek<kwintel_save_fn>(lib, "save");
    openSceneProc = zoek<kwintel_ongebruikt_fn>(lib, "openscene");
    saveSceneProc = zoek<kwintel_ongebruikt_fn>(lib, "savescene");
    destroyProc = zoek<kwintel_destroy_fn>(lib, "destroy");
    if (!createProc) {
        weiger(QStringLiteral("De bibliotheek van deze module kan geen module maken."));
        return;
    }

    // 3. On the board, with a native window of its own that the library may
    // draw into. (Qt gives the board and the modules beside it native
    // windows too; the wires are still drawn over them.) Where the library
    // can draw into it, Qt paints nothing there: no background, no frame,
    // so nothing of the board's covers what the library drew.
    if (owner)
        setParent(owner->bord);
    m_tekentZelf = handvatTekenbaar();
    if (m_tekentZelf) {
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAutoFillBackground(false);
    }
    setAttribute(Qt::WA_NativeWindow);
    // The library draws the face; a pupil still tells modules apart by the
    // menu caption shown over the panel.
    if (owner)
        if (QAction* item = owner->menuItemVoor(entry))
            setToolTip(item->text());
    setAttribute(Qt::WA_AlwaysShowToolTips);

    // 4. The window exists now, not yet shown nor sized. Until the library
    // draws, and wherever it never does, the window system shows the
    // modules' colour: Qt's own windows have no background, and a panel
    // would otherwise show what was on the screen before. Without a window
    // system a library could draw into (checking boards, pictures), the
    // library gets no window.
    void* venster = nullptr;
    if (m_tekentZelf) {
        platform::zetVensterAchtergrond(winId(), kleuren::knopVlak);
        venster = reinterpret_cast<void*>(winId());
    } else {
        winId();
    }
    beschrijving = createProc(venster);
    if (!beschrijving) {
        weiger(QStringLiteral("De bibliotheek \"%1\" gaf geen beschrijving van de module.")
                   .arg(QString::fromUtf8(entry->naam)));
        return;
    }
    // The descriptor is read once, as ten 32-bit fields.
    TZwenkelBeschrijving d;
    std::memcpy(&d, beschrijving, sizeof d);
    if (d.aantalUitgangen > KWINTEL_MAX_UITGANGEN || d.aantalUitgangen < 0 ||
        d.aantalIngangen < 0 || d.aantalIngangen > kMaxIngangen) {
        if (destroyProc)
            destroyProc(beschrijving);
        beschrijving = nullptr;
        weiger(QStringLiteral("De module uit \"%1\" vraagt %2 ingangen en %3 uitgangen.\n"
                              "Een module heeft ten hoogste %4 ingangen en %5 uitgangen; "
                              "deze module wordt niet gemaakt.")
                   .arg(QString::fromUtf8(entry->naam))
                   .arg(d.aantalIngangen)
                   .arg(d.aantalUitgangen)
                   .arg(kMaxIngangen)
                   .arg(KWINTEL_MAX_UITGANGEN));
        return;
    }

    // 5. The base line.
    const int y0 = d.basisTop >= 0 ? binnen(1LL * d.basisTop + kRaster) : 32;
    long long h = y0;
    // 6. Inputs.
    if (d.aantalIngangen > 0) {
        h += kRaster;
        const int top = d.ingangenTop >= 0 ? binnen(d.ingangenTop) : 8;
        for (int i = 1; i <= d.aantalIngangen; ++i)
            maakIngang((i - 1) * kRaster + 8, top, i, kleurparen::weergave);
    }
    // 7. Outputs, placed against the right edge by indelen.
    if (d.aantalUitgangen > 0) {
        h += kRaster;
        const int top = d.uitgangenTop >= 0 ? binnen(d.uitgangenTop) : y0;
        for (int j = 1; j <= d.aantalUitgangen; ++j)
            maakUitgang(0, top, kleurparen::bron);
    }
    // The terminals lie over the library's face in windows of their own, so
    // they are painted where Qt paints nothing of the panel itself.
    if (m_tekentZelf) {
        for (TIngang* in : m_ingangen)
            in->setAttribute(Qt::WA_NativeWindow);
        for (TUitgang* u : m_uitgangen)
            u->setAttribute(Qt::WA_NativeWindow);
    }
    // 8.
    const int hoogte = binnen(std::max<long long>(d.minHoogte, h));
    // 9.
    resize(width(), hoogte);
    indelen(d);
}

void TZwenkelMod::indelen(const TZwenkelBeschrijving& d) {
    int breedte = std::max(binnen(d.breedte), 0);
    const int n = std::max(d.aantalIngangen, d.aantalUitgangen);
    breedte = std::max(breedte, n * kRaster + 9);
    resize(breedte, height());
    const int m = static_cast<int>(m_uitgangen.size());
    for (int j = 1; j <= m; ++j)
        m_uitgangen[static_cast<size_t>(j - 1)]->move((j - 1) * kRaster + breedte - m * kRaster - 1,
                                                      m_uitgangen[static_cast<size_t>(j - 1)]->y());
}

TZwenkelMod::~TZwenkelMod() {
    // The outputs go first, then the library lets go of the descriptor while
    // the panel's window still exists; the inputs go with the panel.
    for (TUitgang* u : m_uitgangen)
        delete u;
    m_uitgangen.clear();
    if (beschrijving && destroyProc)
        destroyProc(beschrijving);
    beschrijving = nullptr;
}

QPaintEngine* TZwenkelMod::paintEngine() const {
    // Painting on the screen, with nothing of Qt's: the library's.
    return m_tekentZelf ? nullptr : TModule::paintEngine();
}

void TZwenkelMod::paintEvent(QPaintEvent* e) {
    // Pictures of the board (offscreen) show the plain panel.
    if (!m_tekentZelf)
        TModule::paintEvent(e);
}

void TZwenkelMod::weiger(const QString& reden) {
    m_weigering = reden;
}

QByteArray TZwenkelMod::bewaar() const {
    if (!beschrijving || !saveProc)
        return {};
    // Room to spare beyond the 256 the library is told, for a library that
    // ends its text with a zero just past the end.
    char buffer[2 * KWINTEL_SAVE_CAPACITEIT] = {};
    const int n = std::clamp(saveProc(beschrijving, buffer, KWINTEL_SAVE_CAPACITEIT), 0,
                             KWINTEL_SAVE_CAPACITEIT);
    // A bar would end the field early and a line end the line; "open" gets a
    // zero-terminated text, so nothing after a zero would come back.
    int lengte = 0;
    while (lengte < n && buffer[lengte] != '|' && buffer[lengte] != '\r' &&
           buffer[lengte] != '\n' && buffer[lengte] != '\0')
        ++lengte;
    return QByteArray(buffer, lengte);
}

void TZwenkelMod::herstel(const QByteArray& tekst) {
    if (!beschrijving || !openProc)
        return;
    // constData() is zero-terminated.
    openProc(beschrijving, tekst.constData());
}

TModule* maakZwenkelMod(TfKwintelvlak* owner, PModuleSoort entry) {
    if (!entry || !entry->bibliotheek)
        return nullptr;
    auto* module = new TZwenkelMod(owner, entry);
    if (module->weigering().isEmpty())
        return module;
    const QString reden = module->weigering();
    delete module;
    toonBericht(owner, QMessageBox::Warning, QApplication::applicationName(), reden);
    throw TModuleGeweigerd{};
}
