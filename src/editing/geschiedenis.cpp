// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The board's edit history and its steps.
#include "editing/geschiedenis.h"

#include "app/kwintelvlak.h"
#include "controls/spinknoppen.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "platform/slepen.h"
#include "plugins/zwenkel.h"

#include <QAction>
#include <QHash>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {

// The mark on a setting control whose changes are recorded.
constexpr char kGevolgd[] = "kwintelGevolgd";

// Consecutive changes of one setting control merge into one step.
constexpr int kInstellingId = 1;

TModuleWaarden waardenVan(const TfKwintelvlak& form, const TModule* m) {
    TModuleWaarden w;
    w.nummer = m->nummer;
    TUitgang* lijst[10];
    w.aantal = form.zoekModuleUitgangen(m, lijst);
    for (int i = 0; i < w.aantal; ++i)
        w.draden[static_cast<size_t>(i)] = {lijst[i]->doelSoort, lijst[i]->doelNummer,
                                            lijst[i]->doelIngang};
    return w;
}

void zetModuleWaarden(TfKwintelvlak& form, TModule* m, const TModuleWaarden& w) {
    m->nummer = w.nummer;
    TUitgang* lijst[10];
    const int n = std::min(form.zoekModuleUitgangen(m, lijst), w.aantal);
    for (int i = 0; i < n; ++i) {
        const TDraad& d = w.draden[static_cast<size_t>(i)];
        lijst[i]->doelSoort = d[0];
        lijst[i]->doelNummer = d[1];
        lijst[i]->doelIngang = d[2];
    }
}

// A step that has already happened when it is pushed: its first redo does
// nothing.
class TStap : public QUndoCommand {
public:
    TStap(TGeschiedenis& g, const QString& tekst) : m_g(g) { setText(tekst); }

    void redo() final {
        if (m_eerste) {
            m_eerste = false;
            return;
        }
        opnieuw();
    }

protected:
    virtual void opnieuw() = 0;
    TfKwintelvlak& form() const { return m_g.form(); }
    TModule* moduleOp(int plek) const {
        const auto& lijst = m_g.form().modules;
        if (plek < 0 || static_cast<size_t>(plek) >= lijst.size()) {
            m_g.geschiedenisKapot();
            return nullptr;
        }
        return lijst[static_cast<size_t>(plek)];
    }
    int laatste() const { return static_cast<int>(m_g.form().modules.size()) - 1; }

    TGeschiedenis& m_g;

private:
    bool m_eerste = true;
};

class TPlaatsen : public TStap {
public:
    TPlaatsen(TGeschiedenis& g, TModuleRecept r, std::vector<TWaardenWijziging> w)
        : TStap(g, QStringLiteral("module plaatsen")), m_recept(std::move(r)), m_w(std::move(w)) {}

    void undo() override {
        m_g.voerUit([this] {
            if (TModule* m = moduleOp(laatste()))
                form().moduleVerwijderen(m);
            m_g.zetWaarden(m_w, true);
        });
    }

protected:
    void opnieuw() override {
        m_g.voerUit([this] {
            if (m_g.bouw(m_recept))
                m_g.zetWaarden(m_w, false);
        });
    }

private:
    TModuleRecept m_recept;
    std::vector<TWaardenWijziging> m_w;
};

class TVerplaatsen : public TStap {
public:
    TVerplaatsen(TGeschiedenis& g, int oudePlek, QPoint oud, QPoint nieuw,
                 std::vector<TWaardenWijziging> w)
        : TStap(g, QStringLiteral("module verplaatsen")), m_oudePlek(oudePlek), m_oud(oud),
          m_nieuw(nieuw), m_w(std::move(w)) {}

    void undo() override {
        m_g.voerUit([this] {
            TModule* m = moduleOp(laatste());
            if (!m || !moduleOp(m_oudePlek))
                return;
            m->move(m_oud);
            m_g.schuif(laatste(), m_oudePlek);
            m_g.zetWaarden(m_w, true);
        });
    }

protected:
    void opnieuw() override {
        m_g.voerUit([this] {
            TModule* m = moduleOp(m_oudePlek);
            if (!m)
                return;
            m->move(m_nieuw);
            m_g.schuif(m_oudePlek, laatste());
            m_g.zetWaarden(m_w, false);
        });
    }

private:
    int m_oudePlek;
    QPoint m_oud, m_nieuw;
    std::vector<TWaardenWijziging> m_w;
};

class TVerwijderen : public TStap {
public:
    TVerwijderen(TGeschiedenis& g, TModule* m)
        : TStap(g, QStringLiteral("module verwijderen")), m_plek(g.form().zoekModuleIndex(m)),
          m_recept(g.recept(m)), m_voor(g.beeld()) {
        // The module itself is gone afterwards; its recipe brings it back.
        m_voor.modules[static_cast<size_t>(m_plek)] = nullptr;
        verwijder(true);
    }

    void undo() override {
        m_g.voerUit([this] {
            if (!m_g.bouw(m_recept))
                return;
            m_g.schuif(laatste(), m_plek);
            m_g.zetWaarden(m_w, true);
        });
    }

protected:
    void opnieuw() override { verwijder(false); }

private:
    void verwijder(bool eerste) {
        m_g.voerUit([this, eerste] {
            TModule* m = moduleOp(m_plek);
            if (!m)
                return;
            form().moduleVerwijderen(m);
            if (eerste) {
                m_w = TGeschiedenis::verschil(m_voor, m_g.beeld());
                m_voor = {};
            } else {
                m_g.zetWaarden(m_w, false);
            }
        });
    }

    int m_plek;
    TModuleRecept m_recept;
    TBordBeeld m_voor;
    std::vector<TWaardenWijziging> m_w;
};

class TDraden : public TStap {
public:
    TDraden(TGeschiedenis& g, const QString& tekst, std::vector<TWaardenWijziging> w)
        : TStap(g, tekst), m_w(std::move(w)) {}

    void undo() override {
        m_g.voerUit([this] { m_g.zetWaarden(m_w, true); });
    }

protected:
    void opnieuw() override {
        m_g.voerUit([this] { m_g.zetWaarden(m_w, false); });
    }

private:
    std::vector<TWaardenWijziging> m_w;
};

class TInstelling : public TStap {
public:
    TInstelling(TGeschiedenis& g, int plek, QString oud, QString nieuw)
        : TStap(g, QStringLiteral("instelling wijzigen")), m_plek(plek), m_oud(std::move(oud)),
          m_nieuw(std::move(nieuw)) {}

    int id() const override { return kInstellingId; }
    bool mergeWith(const QUndoCommand* ander) override {
        const auto* o = static_cast<const TInstelling*>(ander);
        if (o->m_plek != m_plek)
            return false;
        m_nieuw = o->m_nieuw;
        // Changed back to where it started: no step at all.
        setObsolete(m_nieuw == m_oud);
        return true;
    }

    void undo() override { zet(m_oud); }

protected:
    void opnieuw() override { zet(m_nieuw); }

private:
    void zet(const QString& tekst) {
        m_g.voerUit([this, &tekst] {
            if (TModule* m = moduleOp(m_plek))
                m_g.zetRegelaarTekst(m, tekst);
        });
    }

    int m_plek;
    QString m_oud, m_nieuw;
};

class TOptie : public TStap {
public:
    TOptie(TGeschiedenis& g, QAction* item, bool aan, const QString& tekst)
        : TStap(g, tekst), m_item(item), m_aan(aan) {}

    void undo() override { zet(!m_aan); }

protected:
    void opnieuw() override { zet(m_aan); }

private:
    void zet(bool aan) {
        m_g.voerUit([this, aan] {
            m_item->setChecked(aan);
            if (m_item == form().miLogoWeergeven)
                form().miLogoWeergevenClick();
        });
    }

    QAction* m_item;
    bool m_aan;
};

class TBordVervangen : public TStap {
public:
    TBordVervangen(TGeschiedenis& g, const QString& tekst, QByteArray voor, QByteArray na,
                   std::shared_ptr<TBordStand> standVoor, std::shared_ptr<TBordStand> standNa)
        : TStap(g, tekst), m_voor(std::move(voor)), m_na(std::move(na)),
          m_standVoor(std::move(standVoor)), m_standNa(std::move(standNa)) {}

    // The board is read back from the text it wrote, which always reads
    // without a message.
    void undo() override { m_g.wisselBord(m_voor, text(), m_standVoor); }

protected:
    void opnieuw() override { m_g.wisselBord(m_na, text(), m_standNa); }

private:
    QByteArray m_voor, m_na;
    std::shared_ptr<TBordStand> m_standVoor, m_standNa;
};

} // namespace

TGeschiedenis::TGeschiedenis(TfKwintelvlak& form)
    : m_form(form), m_stand(std::make_shared<TBordStand>()) {
    m_stand->nummer = m_laatsteNummer;
    m_stapel.setUndoLimit(kMaxStappen);
    connect(&m_stapel, &QUndoStack::indexChanged, this, [this] {
        werkMenuBij();
        emit gewijzigd();
    });
    connect(&m_stapel, &QUndoStack::canUndoChanged, this, &TGeschiedenis::werkMenuBij);
    connect(&m_stapel, &QUndoStack::canRedoChanged, this, &TGeschiedenis::werkMenuBij);
    connect(&m_stapel, &QUndoStack::undoTextChanged, this, &TGeschiedenis::werkMenuBij);
    connect(&m_stapel, &QUndoStack::redoTextChanged, this, &TGeschiedenis::werkMenuBij);
    connect(m_form.miOngedaanMaken, &QAction::triggered, this, &TGeschiedenis::ongedaanMaken);
    connect(m_form.miOpnieuw, &QAction::triggered, this, &TGeschiedenis::opnieuw);

    // The options toggle their own check marks; the step records the toggle.
    const auto optie = [this](QAction* item, const QString& tekst) {
        connect(item, &QAction::triggered, this, [this, item, tekst](bool aan) {
            if (!m_bezig)
                leg(new TOptie(*this, item, aan, tekst));
        });
    };
    optie(m_form.miTellerLatenDoorlopen, QStringLiteral("optie teller laten doorlopen"));
    optie(m_form.miLogoWeergeven, QStringLiteral("optie logo weergeven"));

    // Every module joins the end of the list, so the last one is the one to
    // look at when the board has changed.
    connect(&m_form, &TfKwintelvlak::bordGewijzigd, this, &TGeschiedenis::volgRegelaars);
    werkMenuBij();
}

TGeschiedenis::~TGeschiedenis() = default;

void TGeschiedenis::ongedaanMaken() {
    // Not while a module or a wire is being dragged: the board is then
    // halfway through an edit.
    if (m_bezig || platform::sleeptNu())
        return;
    m_stapel.undo();
}

void TGeschiedenis::opnieuw() {
    if (m_bezig || platform::sleeptNu())
        return;
    m_stapel.redo();
}

void TGeschiedenis::werkMenuBij() {
    const auto zet = [](QAction* item, const QString& basis, bool kan, const QString& tekst) {
        item->setEnabled(kan);
        item->setText(kan && !tekst.isEmpty() ? basis + QStringLiteral(": ") + tekst : basis);
    };
    zet(m_form.miOngedaanMaken, QStringLiteral("&Ongedaan maken"), m_stapel.canUndo(),
        m_stapel.undoText());
    // Each item has an access key of its own, so Alt+W and one letter run it.
    zet(m_form.miOpnieuw, QStringLiteral("Opnie&uw"), m_stapel.canRedo(), m_stapel.redoText());
}

void TGeschiedenis::leg(QUndoCommand* stap) {
    m_stapel.push(stap);
    emit gewijzigd();
}

template <class F> void TGeschiedenis::voerUit(F f) {
    struct Bezig {
        bool& vlag;
        explicit Bezig(bool& v) : vlag(v) { vlag = true; }
        ~Bezig() { vlag = false; }
    };
    {
        Bezig bezig(m_bezig);
        KlokHouder houder(&m_form);
        f();
    }
    m_form.miVernieuwenClick();
}

void TGeschiedenis::geschiedenisKapot() {
    // Cannot happen while every edit goes through the history; should a
    // module refuse to be built again, the steps beneath would name the
    // wrong modules, so they all go.
    QTimer::singleShot(0, this, [this] { m_stapel.clear(); });
}

TBordBeeld TGeschiedenis::beeld() const {
    TBordBeeld b;
    b.modules.reserve(m_form.modules.size());
    b.waarden.reserve(m_form.modules.size());
    for (TModule* m : m_form.modules) {
        b.modules.push_back(m);
        b.waarden.push_back(waardenVan(m_form, m));
    }
    return b;
}

std::vector<TWaardenWijziging> TGeschiedenis::verschil(const TBordBeeld& voor,
                                                       const TBordBeeld& na) {
    QHash<const TModule*, int> naPlek;
    naPlek.reserve(static_cast<qsizetype>(na.modules.size()));
    for (size_t i = 0; i < na.modules.size(); ++i)
        naPlek.insert(na.modules[i], static_cast<int>(i));
    std::vector<TWaardenWijziging> w;
    for (size_t i = 0; i < voor.modules.size(); ++i) {
        const auto j = naPlek.constFind(voor.modules[i]);
        if (!voor.modules[i] || j == naPlek.constEnd())
            continue;
        const TModuleWaarden& a = voor.waarden[i];
        const TModuleWaarden& b = na.waarden[static_cast<size_t>(*j)];
        if (!(a == b))
            w.push_back({static_cast<int>(i), *j, a, b});
    }
    return w;
}

void TGeschiedenis::zetWaarden(const std::vector<TWaardenWijziging>& w, bool naarVoor) {
    const size_t n = m_form.modules.size();
    for (const TWaardenWijziging& x : w) {
        const int plek = naarVoor ? x.voorPlek : x.naPlek;
        if (plek < 0 || static_cast<size_t>(plek) >= n) {
            geschiedenisKapot();
            return;
        }
        zetModuleWaarden(m_form, m_form.modules[static_cast<size_t>(plek)],
                         naarVoor ? x.voor : x.na);
    }
}

TModuleRecept TGeschiedenis::recept(const TModule* module) const {
    TModuleRecept r;
    r.soort = module->moduleSoort;
    r.plek = module->pos();
    if (const auto* regelaar = module->findChild<const TSpinEdit*>()) {
        r.heeftRegelaar = true;
        r.regelaarTekst = regelaar->text();
    }
    if (const auto* z = qobject_cast<const TZwenkelMod*>(module))
        r.zwenkelTekst = z->bewaar();
    r.waarden = waardenVan(m_form, module);
    return r;
}

TModule* TGeschiedenis::bouw(const TModuleRecept& r) {
    TModule* m = m_form.maakModule(r.soort, r.plek.y(), r.plek.x());
    if (!m) {
        geschiedenisKapot();
        return nullptr;
    }
    m->move(r.plek);
    if (r.heeftRegelaar)
        zetRegelaarTekst(m, r.regelaarTekst);
    if (auto* z = qobject_cast<TZwenkelMod*>(m))
        z->herstel(r.zwenkelTekst);
    zetModuleWaarden(m_form, m, r.waarden);
    return m;
}

void TGeschiedenis::schuif(int van, int naar) {
    auto& lijst = m_form.modules;
    while (van < naar) {
        lijst.wissel(static_cast<size_t>(van), static_cast<size_t>(van + 1));
        ++van;
    }
    while (van > naar) {
        lijst.wissel(static_cast<size_t>(van), static_cast<size_t>(van - 1));
        --van;
    }
    // The list is the stacking order, bottom-most first.
    TModule* m = lijst[static_cast<size_t>(naar)];
    if (static_cast<size_t>(naar) + 1 < lijst.size())
        m->stackUnder(lijst[static_cast<size_t>(naar) + 1]);
    else
        m->raise();
}

void TGeschiedenis::zetRegelaarTekst(TModule* module, const QString& tekst) {
    const bool was = m_bezig;
    m_bezig = true;
    if (auto* regelaar = module->findChild<TSpinEdit*>())
        regelaar->setText(tekst);
    m_bezig = was;
}

// ---- Recording ----------------------------------------------------------------

void TGeschiedenis::geplaatst(const TBordBeeld& voor) {
    if (m_form.modules.empty())
        return;
    std::vector<TWaardenWijziging> w = verschil(voor, beeld());
    leg(new TPlaatsen(*this, recept(m_form.modules.back()), std::move(w)));
}

void TGeschiedenis::verplaatst(const TBordBeeld& voor, int oudePlek, QPoint oudePositie) {
    if (m_form.modules.empty())
        return;
    const TModule* m = m_form.modules.back();
    // Dropped where it stood while it was already on top: nothing changed.
    if (oudePlek == static_cast<int>(m_form.modules.size()) - 1 && m->pos() == oudePositie)
        return;
    leg(new TVerplaatsen(*this, oudePlek, oudePositie, m->pos(), verschil(voor, beeld())));
}

void TGeschiedenis::verwijder(TModule* module) {
    if (!module || m_form.zoekModuleIndex(module) >= static_cast<int>(m_form.modules.size()))
        return;
    leg(new TVerwijderen(*this, module));
}

void TGeschiedenis::dradenGewijzigd(const TBordBeeld& voor, const QString& tekst) {
    std::vector<TWaardenWijziging> w = verschil(voor, beeld());
    if (!w.empty())
        leg(new TDraden(*this, tekst, std::move(w)));
}

void TGeschiedenis::bordVervangen(const QByteArray& voor, const QString& tekst,
                                  const QString& bestand, bool teruggehaald) {
    const QByteArray na = m_form.bordTekst();
    auto nieuw = std::make_shared<TBordStand>();
    nieuw->geopend = teruggehaald ? QByteArray() : na;
    nieuw->bestand = bestand;
    nieuw->bestandVoorstellen = teruggehaald && !bestand.isEmpty();
    if (na == voor) {
        // The same board as before: nothing to undo, and no board leaves
        // the window; it only counts as the command says from now on.
        nieuw->nummer = m_stand->nummer;
        *m_stand = *nieuw;
        emit gewijzigd();
        return;
    }
    nieuw->nummer = ++m_laatsteNummer;
    std::shared_ptr<TBordStand> oud = std::exchange(m_stand, nieuw);
    leg(new TBordVervangen(*this, tekst, voor, na, oud, nieuw));
    emit bordGewisseld(*oud, voor);
}

void TGeschiedenis::wisselBord(const QByteArray& tekst, const QString& naam,
                               std::shared_ptr<TBordStand> stand) {
    const QByteArray weg = m_form.bordTekst();
    voerUit([this, &tekst, &naam] { m_form.openenUitTekst(tekst, naam); });
    const std::shared_ptr<TBordStand> oud = std::exchange(m_stand, std::move(stand));
    emit bordGewisseld(*oud, weg);
}

void TGeschiedenis::opgeslagen(const QString& bestand) {
    m_stand->geopend = m_form.bordTekst();
    m_stand->bestand = bestand;
    m_stand->bestandVoorstellen = false;
    emit bewaard();
}

void TGeschiedenis::geopend(const QString& bestand) {
    m_stand->geopend = m_form.bordTekst();
    m_stand->bestand = bestand;
    m_stand->bestandVoorstellen = false;
}

void TGeschiedenis::volgRegelaars() {
    if (m_form.modules.empty())
        return;
    TModule* m = m_form.modules.back();
    for (TSpinEdit* regelaar : m->findChildren<TSpinEdit*>()) {
        if (regelaar->property(kGevolgd).toBool())
            continue;
        regelaar->setProperty(kGevolgd, true);
        regelaar->installEventFilter(this);
        auto vorige = std::make_shared<QString>(regelaar->text());
        connect(regelaar, &QLineEdit::textChanged, this, [this, m, vorige](const QString& tekst) {
            const QString oud = std::exchange(*vorige, tekst);
            instellingGewijzigd(m, oud, tekst);
        });
    }
}

void TGeschiedenis::instellingGewijzigd(TModule* module, const QString& oud, const QString& nieuw) {
    // Building and reading a board set controls with the clock held; steps
    // set them with recording off.
    if (m_bezig || m_form.klokStopTeller() > 0 || oud == nieuw)
        return;
    const int plek = m_form.zoekModuleIndex(module);
    if (plek >= static_cast<int>(m_form.modules.size()))
        return;
    leg(new TInstelling(*this, plek, oud, nieuw));
}

bool TGeschiedenis::eventFilter(QObject* watched, QEvent* event) {
    // A setting control would undo its own typing; the board's history
    // takes the keys instead, so Ctrl+Z always means the same thing.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        const bool ctrlY = k->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
        if (k->matches(QKeySequence::Undo) || k->matches(QKeySequence::Redo) || ctrlY)
            return true; // not accepted: the window's shortcut takes it
    }
    return QObject::eventFilter(watched, event);
}
