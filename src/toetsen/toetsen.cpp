#include "toetsen/toetsen.h"

#include "app/kwintelvlak.h"
#include "app/opdrachtregel.h"
#include "app/zondergebruiker.h"
#include "controls/spinknoppen.h"
#include "modules/aansluitingen.h"
#include "modules/module.h"
#include "modules/soorten/pulsenteller.h"
#include "modules/soorten/relais.h"
#include "modules/soorten/zoemer.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTextStream>
#include <cmath>

namespace toetsen {

using toetsbestand::Regel;
using toetsbestand::Stap;

QString Resultaat::tekst() const {
    if (ok)
        return wat;
    if (verwacht.isEmpty())
        return wat + QStringLiteral(": ") + gezien;
    return wat.section(QLatin1Char(' '), 0, -2) + QStringLiteral(": verwacht ") + verwacht +
           QStringLiteral(", gezien ") + gezien;
}

bool BordUitslag::geslaagd() const {
    if (!leesbaar)
        return false;
    for (const Resultaat& r : resultaten)
        if (!r.ok)
            return false;
    return true;
}

std::vector<toetsbestand::Soortnaam> soortNamen(const TfKwintelvlak& form) {
    std::vector<toetsbestand::Soortnaam> namen;
    for (const auto& entry : form.moduleSoorten) {
        const QAction* item = form.menuItemVoor(entry.get());
        if (!item)
            continue; // the small split: only board files make it
        // "&&" stands for an "&" that is no access key.
        QString naam = item->text();
        naam.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        naam.remove(QLatin1Char('&'));
        naam.replace(QLatin1Char('\x01'), QLatin1Char('&'));
        namen.push_back({naam, entry.get()});
    }
    return namen;
}

namespace {

QString opEenRegel(QString tekst) {
    return tekst.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

class Uitvoerder {
public:
    Uitvoerder(TfKwintelvlak& form, ZonderGebruiker& omgeving, BordUitslag& uitslag)
        : m_form(form), m_omgeving(omgeving), m_uitslag(uitslag) {}

    void voerUit(const Regel& r);

private:
    // The module a step names; for a plug-in kind it must be of that very
    // library, as every plug-in kind shares kind number 20.
    TModule* zoek(const toetsbestand::ModuleNaam& naam) const {
        TModule* m = m_form.zoekModule(naam.entry->soort, naam.nummer);
        if (m && naam.entry->soort == soorten::zwenkel && m->moduleSoort != naam.entry)
            return nullptr;
        return m;
    }
    void resultaat(const Regel& r, bool ok, const QString& wat, const QString& verwacht,
                   const QString& gezien) {
        m_uitslag.resultaten.push_back({ok, r.regelNummer, wat, verwacht, gezien});
    }
    // A step that cannot run on this board counts as a failed result.
    void kanNiet(const Regel& r, const QString& stap, const QString& waarom) {
        resultaat(r, false, stap, QString(), waarom);
    }
    QString ontbreekt(const Regel& r) const {
        return r.module.tekst() + QStringLiteral(" staat niet op het bord");
    }
    void verwachtAanUit(const Regel& r, TModule* m);

    TfKwintelvlak& m_form;
    ZonderGebruiker& m_omgeving;
    BordUitslag& m_uitslag;
};

void Uitvoerder::verwachtAanUit(const Regel& r, TModule* m) {
    const QString verwacht = r.aan ? QStringLiteral("aan") : QStringLiteral("uit");
    const QString wat = r.module.tekst() + QLatin1Char(' ') + verwacht;
    if (!m)
        return resultaat(r, false, wat, verwacht, QStringLiteral("geen ") + r.module.tekst());
    bool aan = false;
    if (auto* z = qobject_cast<TZoemerMod*>(m))
        aan = z->zoemt;
    else if (auto* rl = qobject_cast<TRelaisMod*>(m))
        aan = rl->bekrachtigd;
    else if (auto* led = m->findChild<TLED*>())
        aan = led->brushKleur() == TLED::aan;
    else
        return kanNiet(r, wat, r.module.naam + QStringLiteral(" is niet aan of uit"));
    const QString gezien = aan ? QStringLiteral("aan") : QStringLiteral("uit");
    resultaat(r, aan == r.aan, wat, verwacht, gezien);
}

void Uitvoerder::voerUit(const Regel& r) {
    switch (r.stap) {
    case Stap::Tik:
        m_omgeving.tik(r.getal);
        return;
    case Stap::Geluid:
        // The sound sensor hears this level, as if a microphone gave it.
        audioBeschikbaar = true;
        geluidNiveau = r.getal;
        return;
    case Stap::Muis:
        m_omgeving.zetMuis(m_form, QPoint(r.x, r.y));
        return;
    case Stap::Druk:
    case Stap::Los: {
        const QString stap =
            (r.stap == Stap::Druk ? QStringLiteral("druk ") : QStringLiteral("los ")) +
            r.module.tekst();
        TModule* m = zoek(r.module);
        if (!m)
            return kanNiet(r, stap, ontbreekt(r));
        auto* knop = m->findChild<TSchakelaar*>();
        if (!knop)
            return kanNiet(r, stap, r.module.naam + QStringLiteral(" heeft geen knop"));
        // What a left click on the key does.
        if (r.stap == Stap::Druk)
            m_form.sSchakelaarMouseDown(knop, Qt::LeftButton);
        else
            m_form.sSchakelaarMouseUp(knop, Qt::LeftButton);
        return;
    }
    case Stap::Zet: {
        const QString stap =
            QStringLiteral("zet ") + r.module.tekst() + QLatin1Char(' ') + r.weergave;
        TModule* m = zoek(r.module);
        if (!m)
            return kanNiet(r, stap, ontbreekt(r));
        auto* regelaar = m->findChild<TSpinEdit*>();
        if (!regelaar)
            return kanNiet(r, stap, r.module.naam + QStringLiteral(" heeft geen instelling"));
        // The control clamps the value to its range, as when it is stepped.
        if (qobject_cast<TCommaSpinEdit*>(regelaar))
            regelaar->setValue(int(std::lround(r.waarde * 10)));
        else if (r.waarde == std::trunc(r.waarde))
            regelaar->setValue(int(r.waarde));
        else
            return kanNiet(r, stap, r.module.naam + QStringLiteral(" neemt alleen hele getallen"));
        return;
    }
    case Stap::VerwachtAanUit:
        return verwachtAanUit(r, zoek(r.module));
    case Stap::VerwachtTeller: {
        const QString wat = r.module.tekst() + QLatin1Char(' ') + r.weergave;
        auto* teller = qobject_cast<TPulsenTellerMod*>(zoek(r.module));
        if (!teller)
            return resultaat(r, false, wat, r.weergave, QStringLiteral("geen ") + r.module.tekst());
        const QString gezien = teller->stTelstand->text();
        return resultaat(r, gezien == r.weergave, wat, r.weergave, gezien);
    }
    case Stap::VerwachtUitgang: {
        const QString verwacht = QString::number(r.niveau);
        const QString wat = r.module.tekst() + QStringLiteral(" uitgang ") +
                            QString::number(r.getal) + QLatin1Char(' ') + verwacht;
        TModule* m = zoek(r.module);
        if (!m)
            return resultaat(r, false, wat, verwacht, QStringLiteral("geen ") + r.module.tekst());
        const auto& uitgangen = m->uitgangenLijst();
        if (r.getal > int(uitgangen.size()))
            return kanNiet(r, wat,
                           r.module.tekst() + QStringLiteral(" heeft geen uitgang ") +
                               QString::number(r.getal));
        const int gezien = uitgangen[std::size_t(r.getal - 1)]->laatsteNiveau;
        return resultaat(r, gezien == r.niveau, wat, verwacht, QString::number(gezien));
    }
    }
}

} // namespace

BordUitslag toetsBord(TfKwintelvlak& form, ZonderGebruiker& omgeving,
                      const toetsbestand::Toets& toets, const QString& bestand) {
    BordUitslag uitslag;
    uitslag.bestand = bestand;
    omgeving.neemMeldingen();
    form.openen(bestand);
    for (const ZonderGebruiker::Melding& m : omgeving.neemMeldingen()) {
        // An error stops the reading: what stands on the board is not the
        // pupil's board, so it is not judged.
        if (m.icoon == QMessageBox::Critical && uitslag.leesbaar) {
            uitslag.leesbaar = false;
            uitslag.melding = opEenRegel(m.tekst);
        } else {
            uitslag.opmerkingen << opEenRegel(m.tekst);
        }
    }
    if (!uitslag.leesbaar)
        return uitslag;
    // Every board starts alike: silence and the pointer away from the board.
    geluidNiveau = 0;
    omgeving.muisWeg();
    Uitvoerder uitvoerder(form, omgeving, uitslag);
    for (const Regel& r : toets.regels)
        uitvoerder.voerUit(r);
    // Messages while the steps ran (none are expected) are kept as remarks.
    for (const ZonderGebruiker::Melding& m : omgeving.neemMeldingen())
        uitslag.opmerkingen << opEenRegel(m.tekst);
    return uitslag;
}

namespace {
struct Telling {
    int geslaagd = 0, gezakt = 0, onleesbaar = 0;
};
Telling tel(const std::vector<BordUitslag>& uitslagen) {
    Telling t;
    for (const BordUitslag& u : uitslagen) {
        if (!u.leesbaar)
            ++t.onleesbaar;
        else if (u.geslaagd())
            ++t.geslaagd;
        else
            ++t.gezakt;
    }
    return t;
}
QString samenvatting(const Telling& t, std::size_t borden) {
    return QStringLiteral("%1 van %2 borden geslaagd, %3 gezakt, %4 onleesbaar")
        .arg(t.geslaagd)
        .arg(borden)
        .arg(t.gezakt)
        .arg(t.onleesbaar);
}
} // namespace

QString alsTap(const std::vector<BordUitslag>& uitslagen) {
    // One subtest per board; the board's own line says whether it passed.
    QString uit;
    QTextStream s(&uit);
    s << "TAP version 14\n";
    int n = 0;
    for (const BordUitslag& u : uitslagen) {
        ++n;
        const QString naam = opEenRegel(QDir::toNativeSeparators(u.bestand));
        if (!u.leesbaar) {
            s << "not ok " << n << " - " << naam << ": onleesbaar: " << u.melding << '\n';
            continue;
        }
        s << "# Subtest: " << naam << '\n';
        for (const QString& o : u.opmerkingen)
            s << "    # melding bij het lezen: " << o << '\n';
        int k = 0;
        for (const Resultaat& r : u.resultaten)
            s << "    " << (r.ok ? "ok " : "not ok ") << ++k << " - " << r.tekst() << '\n';
        s << "    1.." << k << '\n';
        s << (u.geslaagd() ? "ok " : "not ok ") << n << " - " << naam << '\n';
    }
    s << "1.." << n << '\n';
    s << "# " << samenvatting(tel(uitslagen), uitslagen.size()) << '\n';
    return uit;
}

QByteArray alsJson(const std::vector<BordUitslag>& uitslagen) {
    QJsonArray borden;
    for (const BordUitslag& u : uitslagen) {
        QJsonObject b;
        b[QStringLiteral("bestand")] = u.bestand;
        b[QStringLiteral("uitslag")] = !u.leesbaar    ? QStringLiteral("onleesbaar")
                                       : u.geslaagd() ? QStringLiteral("geslaagd")
                                                      : QStringLiteral("gezakt");
        if (!u.leesbaar)
            b[QStringLiteral("melding")] = u.melding;
        b[QStringLiteral("meldingen")] = QJsonArray::fromStringList(u.opmerkingen);
        QJsonArray resultaten;
        for (const Resultaat& r : u.resultaten) {
            QJsonObject o;
            o[QStringLiteral("ok")] = r.ok;
            o[QStringLiteral("regel")] = r.regelNummer;
            o[QStringLiteral("wat")] = r.wat;
            o[QStringLiteral("tekst")] = r.tekst();
            if (!r.verwacht.isEmpty())
                o[QStringLiteral("verwacht")] = r.verwacht;
            o[QStringLiteral("gezien")] = r.gezien;
            resultaten.append(o);
        }
        b[QStringLiteral("resultaten")] = resultaten;
        borden.append(b);
    }
    const Telling t = tel(uitslagen);
    QJsonObject doc;
    doc[QStringLiteral("borden")] = borden;
    doc[QStringLiteral("geslaagd")] = t.geslaagd;
    doc[QStringLiteral("gezakt")] = t.gezakt;
    doc[QStringLiteral("onleesbaar")] = t.onleesbaar;
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

int voerUit(const opdrachtregel::Opdracht& opdracht, QTextStream& uit, QTextStream& fout) {
    const QString toetsNaam = QDir::toNativeSeparators(opdracht.toetsBestand);
    QFile bestand(opdracht.toetsBestand);
    constexpr qint64 kMaxGrootte = 1024 * 1024;
    if (QFileInfo(opdracht.toetsBestand).isDir() || !bestand.open(QIODevice::ReadOnly)) {
        fout << "kwintelvlak: het toetsbestand \"" << toetsNaam << "\" kan niet worden gelezen"
             << (bestand.exists() && !QFileInfo(opdracht.toetsBestand).isDir()
                     ? QStringLiteral(": ") + bestand.errorString()
                     : QStringLiteral(": het bestaat niet of is een map"))
             << '\n';
        return 2;
    }
    const QByteArray tekst = bestand.read(kMaxGrootte + 1);
    if (tekst.size() > kMaxGrootte) {
        fout << "kwintelvlak: het toetsbestand \"" << toetsNaam
             << "\" is groter dan 1 MB; zo groot is geen toets\n";
        return 2;
    }

    ZonderGebruiker omgeving;
    const bool audioVooraf = audioBeschikbaar;
    int status = 0;
    {
        TfKwintelvlak form;
        omgeving.neemMeldingen(); // start-up's own (a missing standard board) do not count
        const toetsbestand::Toets toets =
            toetsbestand::lees(QString::fromUtf8(tekst), soortNamen(form));
        if (!toets.fouten.empty()) {
            for (const toetsbestand::Fout& f : toets.fouten) {
                fout << toetsNaam;
                if (f.regelNummer > 0)
                    fout << ", regel " << f.regelNummer;
                fout << ": " << f.tekst << '\n';
            }
            audioBeschikbaar = audioVooraf;
            return 2;
        }
        std::vector<BordUitslag> uitslagen;
        uitslagen.reserve(std::size_t(opdracht.borden.size()));
        for (const QString& bord : opdracht.borden) {
            uitslagen.push_back(toetsBord(form, omgeving, toets, bord));
            if (!uitslagen.back().geslaagd())
                status = 1;
        }
        // The window closes as it would after a session with a user.
        audioBeschikbaar = audioVooraf;
        if (opdracht.json)
            uit << QString::fromUtf8(alsJson(uitslagen));
        else
            uit << alsTap(uitslagen);
    }
    uit.flush();
    return status;
}

} // namespace toetsen
