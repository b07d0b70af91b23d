// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// Construction of the input and logic kinds: panel, terminals, setting
// controls, labels, pictures and marks, which parts take hold of the module,
// and what the finished panels look like.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"
#include "modules/regelaars.h"
#include "modules/soorten/adomzetter.h"
#include "modules/soorten/comparator.h"
#include "modules/soorten/drukschakelaar.h"
#include "modules/soorten/geheugencel.h"
#include "modules/soorten/geluidsensor.h"
#include "modules/soorten/invertor.h"
#include "modules/soorten/poorten.h"
#include "modules/soorten/pulsgenerator.h"
#include "modules/soorten/sensor.h"
#include "modules/soorten/split.h"
#include "modules/soorten/variabelespanning.h"
#include "platform/slepen.h"
#include "support/kwinteltest.h"

#include <QAction>
#include <QLabel>
#include <QTest>

using namespace kwinteltest;

namespace {

// The colour pairs written out here rather than taken from the program.
constexpr Kleurpaar BRON{0x00FFFF, 0x008080};
constexpr Kleurpaar WEERGAVE{0xFFFFFF, 0x808080};
constexpr Kleurpaar LOGICA{0xFF0000, 0x800000};

struct Klem {
    int x, y;
    Kleurpaar paar;
    bool zichtbaar = true;
};
using Klemmen = QList<Klem>;

// A label; w == 0 means it sizes itself to its text.
struct Tekst {
    int x, y, w, h;
    QString tekst;
    bool naam;   // bold name label
    bool midden; // centred
};
using Teksten = QList<Tekst>;

struct Instelling {
    int x, y;
    bool komma;
    int min, max, waarde;
    QString getoond;
};
using Instellingen = QList<Instelling>;

struct Beeld {
    int x, y;
    QString bron; // which of the main window's pictures
};
using Beelden = QList<Beeld>;

using Rechthoeken = QList<QRect>;

const QImage& formBeeld(const TfKwintelvlak& form, const QString& naam) {
    if (naam == QLatin1String("iComparator"))
        return form.iComparator;
    if (naam == QLatin1String("iOfPoort"))
        return form.iOfPoort;
    if (naam == QLatin1String("iENPoort"))
        return form.iENPoort;
    if (naam == QLatin1String("iGeheugenCel"))
        return form.iGeheugenCel;
    return form.iInvertor;
}

Tekst naam(int x, int y, int w, int h, const char* tekst) {
    return {x, y, w, h, QString::fromUtf8(tekst), true, true};
}

bool isDonker(QColor c) {
    return qGray(c.rgb()) < 100;
}

int donkerePixels(const QImage& beeld, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (isDonker(beeld.pixelColor(x, y)))
                ++n;
    return n;
}

// The parts that a press takes hold of the module through.
bool isPassief(const QWidget* w) {
    if (qobject_cast<const TConnector*>(w) || qobject_cast<const TSchakelaar*>(w))
        return false;
    return qobject_cast<const QLabel*>(w) || qobject_cast<const TAfbeelding*>(w) ||
           qobject_cast<const TVorm*>(w);
}

} // namespace
Q_DECLARE_METATYPE(Klemmen)
Q_DECLARE_METATYPE(Teksten)
Q_DECLARE_METATYPE(Instellingen)
Q_DECLARE_METATYPE(Beelden)

class TestSoortenInvoer : public QObject {
    Q_OBJECT

    // Every kind and variant with its parts as the panel tables give them,
    // each list in creation order.
    static void soorten() {
        QTest::addColumn<int>("positie");
        QTest::addColumn<QString>("klasse");
        QTest::addColumn<QSize>("paneel");
        QTest::addColumn<Klemmen>("ingangen");
        QTest::addColumn<Klemmen>("uitgangen");
        QTest::addColumn<Instellingen>("instellingen");
        QTest::addColumn<Teksten>("teksten");
        QTest::addColumn<Beelden>("beelden");
        QTest::addColumn<Rechthoeken>("toetsen");
        QTest::addColumn<Rechthoeken>("bevels");
        QTest::addColumn<Rechthoeken>("vormen");

        const Klemmen poortIn{{8, 24, LOGICA}, {8, 72, LOGICA}};
        const Klemmen poortUit{{144, 48, LOGICA}};

        QTest::newRow("drukschakelaar")
            << 0 << "TDrukSchakelaarMod" << QSize(192, 64) << Klemmen{} << Klemmen{{160, 24, BRON}}
            << Instellingen{} << Teksten{naam(8, 47, 176, 16, "Drukschakelaar")} << Beelden{}
            << Rechthoeken{{16, 24, 16, 16}} << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("sensor") << 18 << "TSensorMod" << QSize(192, 96) << Klemmen{}
                                << Klemmen{{160, 40, BRON}} << Instellingen{}
                                << Teksten{naam(8, 79, 176, 16, "Sensor")} << Beelden{}
                                << Rechthoeken{} << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("geluidsensor")
            << 17 << "TGeluidSensorMod" << QSize(192, 64) << Klemmen{} << Klemmen{{160, 24, BRON}}
            << Instellingen{} << Teksten{naam(8, 47, 176, 16, "Geluid sensor")} << Beelden{}
            << Rechthoeken{} << Rechthoeken{} << Rechthoeken{{21, 29, 4, 4}};
        QTest::newRow("variabele spanning")
            << 3 << "TVariabeleSpanningMod" << QSize(192, 64) << Klemmen{}
            << Klemmen{{160, 24, BRON}} << Instellingen{{72, 20, true, 0, 50, 0, "0,0"}}
            << Teksten{naam(8, 18, 56, 26, "Variabele\nspanning"),
                       {128, 24, 0, 0, "V", false, false}}
            << Beelden{} << Rechthoeken{} << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("pulsgenerator")
            << 2 << "TPulsGeneratorMod" << QSize(192, 64) << Klemmen{} << Klemmen{{160, 24, BRON}}
            << Instellingen{{72, 20, false, 0, 10, 1, "1"}}
            << Teksten{naam(8, 18, 56, 26, "Puls\ngenerator"), {128, 24, 0, 0, "Hz", false, false}}
            << Beelden{} << Rechthoeken{} << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("ad-omzetter")
            << 4 << "TADOmzetterMod" << QSize(192, 64) << Klemmen{{16, 16, WEERGAVE}}
            << Klemmen{{64, 16, BRON}, {96, 16, BRON}, {128, 16, BRON}, {160, 16, BRON}}
            << Instellingen{}
            << Teksten{{16, 33, 17, 13, "IN", false, true}, {64, 3, 17, 13, "8", false, true},
                       {96, 3, 17, 13, "4", false, true},   {128, 3, 17, 13, "2", false, true},
                       {160, 3, 17, 13, "1", false, true},  {104, 33, 33, 13, "UIT", false, true},
                       naam(8, 47, 176, 16, "AD-Omzetter")}
            << Beelden{} << Rechthoeken{} << Rechthoeken{{64, 39, 41, 9}, {136, 39, 41, 9}}
            << Rechthoeken{};
        QTest::newRow("comparator")
            << 5 << "TComparatorMod" << QSize(168, 128) << Klemmen{{8, 24, LOGICA}}
            << Klemmen{{144, 24, LOGICA}} << Instellingen{{88, 68, true, 0, 50, 0, "0,0"}}
            << Teksten{{144, 72, 0, 0, "V", false, true}, naam(8, 111, 152, 16, "Comparator")}
            << Beelden{{24, 16, "iComparator"}} << Rechthoeken{} << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("of-poort") << 7 << "TOFPoortMod" << QSize(168, 128) << poortIn << poortUit
                                  << Instellingen{} << Teksten{naam(8, 111, 152, 16, "OF-Poort")}
                                  << Beelden{{16, 40, "iOfPoort"}} << Rechthoeken{} << Rechthoeken{}
                                  << Rechthoeken{};
        QTest::newRow("en-poort") << 8 << "TENPoortMod" << QSize(168, 128) << poortIn << poortUit
                                  << Instellingen{} << Teksten{naam(8, 111, 152, 16, "EN-Poort")}
                                  << Beelden{{16, 40, "iENPoort"}} << Rechthoeken{} << Rechthoeken{}
                                  << Rechthoeken{};
        QTest::newRow("geheugencel")
            << 11 << "TGeheugenCelMod" << QSize(168, 128) << poortIn << poortUit << Instellingen{}
            << Teksten{naam(8, 111, 152, 16, "Geheugencel")} << Beelden{{16, 40, "iGeheugenCel"}}
            << Rechthoeken{} << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("invertor") << 12 << "TInvertorMod" << QSize(168, 128)
                                  << Klemmen{{8, 48, LOGICA}} << Klemmen{{144, 48, LOGICA}}
                                  << Instellingen{} << Teksten{naam(8, 111, 152, 16, "Invertor")}
                                  << Beelden{{16, 40, "iInvertor"}} << Rechthoeken{}
                                  << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("invertor klein")
            << 13 << "TInvertorMod" << QSize(168, 64) << Klemmen{{8, 16, LOGICA}}
            << Klemmen{{144, 16, LOGICA}} << Instellingen{}
            << Teksten{naam(8, 47, 152, 16, "Invertor")} << Beelden{{16, 8, "iInvertor"}}
            << Rechthoeken{} << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("split") << 9 << "TSplitMod" << QSize(168, 64) << Klemmen{{16, 16, WEERGAVE}}
                               << Klemmen{{72, 16, BRON}, {104, 16, BRON}, {136, 16, BRON}}
                               << Instellingen{} << Teksten{naam(8, 47, 152, 16, "Split")}
                               << Beelden{} << Rechthoeken{} << Rechthoeken{} << Rechthoeken{};
        QTest::newRow("split klein")
            << 10 << "TSplitMod" << QSize(96, 64) << Klemmen{{16, 16, WEERGAVE}}
            << Klemmen{{42, 16, BRON}, {68, 16, BRON}, {94, 16, BRON, false}} << Instellingen{}
            << Teksten{naam(8, 47, 80, 16, "Split")} << Beelden{} << Rechthoeken{} << Rechthoeken{}
            << Rechthoeken{};
    }

    template <class T> static QList<T*> delen(const TModule* m) {
        return m->findChildren<T*>(Qt::FindDirectChildrenOnly);
    }

    static void vergelijkKlemmen(const TModule* m, const Klemmen& verwacht, bool ingangen) {
        const qsizetype aantal =
            ingangen ? qsizetype(m->ingangenLijst().size()) : qsizetype(m->uitgangenLijst().size());
        QCOMPARE(aantal, verwacht.size());
        for (qsizetype k = 0; k < verwacht.size(); ++k) {
            const Klem& e = verwacht[k];
            const auto i = size_t(k);
            TConnector* t = ingangen ? static_cast<TConnector*>(m->ingangenLijst()[i])
                                     : static_cast<TConnector*>(m->uitgangenLijst()[i]);
            QCOMPARE(t->parentWidget(), m);
            QCOMPARE(t->geometry(), QRect(e.x, e.y, 17, 17));
            QCOMPARE(t->isVisible(), e.zichtbaar);
            QCOMPARE(t->brushKleur(), e.paar.uit);
            if (ingangen) {
                const TIngang* in = m->ingangenLijst()[i];
                QCOMPARE(in->index, int(k) + 1);
                QCOMPARE(in->kleurAan, e.paar.aan);
                QCOMPARE(in->kleurUit, e.paar.uit);
            } else {
                const TUitgang* uit = m->uitgangenLijst()[i];
                QCOMPARE(uit->kleurAan, e.paar.aan);
                QCOMPARE(uit->kleurUit, e.paar.uit);
                QVERIFY(!uit->isVerbonden());
            }
        }
    }

private slots:
    void initTestCase() { initProces(); }

    void opbouw_data() { soorten(); }

    void opbouw() {
        QFETCH(int, positie);
        QFETCH(QString, klasse);
        QFETCH(QSize, paneel);
        QFETCH(Klemmen, ingangen);
        QFETCH(Klemmen, uitgangen);
        QFETCH(Instellingen, instellingen);
        QFETCH(Teksten, teksten);
        QFETCH(Beelden, beelden);
        QFETCH(Rechthoeken, toetsen);
        QFETCH(Rechthoeken, bevels);
        QFETCH(Rechthoeken, vormen);

        TfKwintelvlak form;
        form.show();
        TModule* m = form.maakModule(entry(form, positie), 20, 30);
        QVERIFY(m);
        QCOMPARE(QString::fromLatin1(m->metaObject()->className()), klasse);
        QCOMPARE(m->size(), paneel);

        vergelijkKlemmen(m, ingangen, true);
        if (QTest::currentTestFailed())
            return;
        vergelijkKlemmen(m, uitgangen, false);
        if (QTest::currentTestFailed())
            return;

        const auto spins = delen<TSpinEdit>(m);
        QCOMPARE(spins.size(), instellingen.size());
        for (qsizetype k = 0; k < instellingen.size(); ++k) {
            const Instelling& e = instellingen[k];
            TSpinEdit* s = spins[k];
            QCOMPARE(s->geometry(), QRect(e.x, e.y, 48, 22));
            QCOMPARE(qobject_cast<TKommaRegelaar*>(s) != nullptr, e.komma);
            QCOMPARE(qobject_cast<TRegelaar*>(s) != nullptr, !e.komma);
            QCOMPARE(s->minValue(), e.min);
            QCOMPARE(s->maxValue(), e.max);
            QCOMPARE(s->value(), e.waarde);
            QCOMPARE(s->text(), e.getoond);
        }

        const auto labels = delen<QLabel>(m);
        QCOMPARE(labels.size(), teksten.size());
        for (qsizetype k = 0; k < teksten.size(); ++k) {
            const Tekst& e = teksten[k];
            const QLabel* l = labels[k];
            QCOMPARE(l->text(), e.tekst);
            QCOMPARE(l->pos(), QPoint(e.x, e.y));
            if (e.w > 0)
                QCOMPARE(l->size(), QSize(e.w, e.h));
            QCOMPARE(l->font().bold(), e.naam);
            QCOMPARE(bool(l->alignment() & Qt::AlignHCenter), e.midden);
            // Whatever its size, the text is shown whole.
            const QFontMetrics fm(l->font());
            const QStringList regels = e.tekst.split('\n');
            for (const QString& regel : regels)
                QVERIFY2(fm.horizontalAdvance(regel) <= l->width(), qPrintable(regel));
            QVERIFY(fm.height() * int(regels.size()) <= l->height());
        }

        QList<TAfbeelding*> afbeeldingen;
        for (TAfbeelding* a : delen<TAfbeelding>(m))
            if (!qobject_cast<TSchakelaar*>(a))
                afbeeldingen << a;
        QCOMPARE(afbeeldingen.size(), beelden.size());
        for (qsizetype k = 0; k < beelden.size(); ++k) {
            const QImage& bron = formBeeld(form, beelden[k].bron);
            QCOMPARE(afbeeldingen[k]->picture(), bron);
            QCOMPARE(afbeeldingen[k]->geometry(),
                     QRect(QPoint(beelden[k].x, beelden[k].y), bron.size()));
            QVERIFY(afbeeldingen[k]->transparent());
        }

        const auto schakelaars = delen<TSchakelaar>(m);
        QCOMPARE(schakelaars.size(), toetsen.size());
        for (qsizetype k = 0; k < toetsen.size(); ++k)
            QCOMPARE(schakelaars[k]->geometry(), toetsen[k]);

        const auto bevelDelen = delen<TBevel>(m);
        QCOMPARE(bevelDelen.size(), bevels.size());
        for (qsizetype k = 0; k < bevels.size(); ++k)
            QCOMPARE(bevelDelen[k]->geometry(), bevels[k]);

        QList<TVorm*> losseVormen;
        for (TVorm* v : delen<TVorm>(m))
            if (!qobject_cast<TConnector*>(v))
                losseVormen << v;
        QCOMPARE(losseVormen.size(), vormen.size());
        for (qsizetype k = 0; k < vormen.size(); ++k) {
            QCOMPARE(losseVormen[k]->geometry(), vormen[k]);
            QCOMPARE(losseVormen[k]->vorm(), TVorm::Vorm::Rechthoek);
            QCOMPARE(losseVormen[k]->brushKleur(), TColor(0x000000));
        }

        // Nothing else stands in the panel.
        const qsizetype totaal = ingangen.size() + uitgangen.size() + instellingen.size() +
                                 teksten.size() + beelden.size() + toetsen.size() + bevels.size() +
                                 vormen.size();
        QCOMPARE(delen<QWidget>(m).size(), totaal);

        // Every visible part is the topmost one at its centre, so a press
        // there reaches it; setting controls lie above the drawing they
        // stand in.
        for (QWidget* w : delen<QWidget>(m)) {
            if (!w->isVisible())
                continue;
            QWidget* boven = m->childAt(w->geometry().center());
            QVERIFY2(boven == w || w->isAncestorOf(boven), w->metaObject()->className());
        }
    }

    // A left press on a name label, picture or mark takes hold of the module
    // where it was pressed; on a terminal, the key, a setting control (its
    // text and both spin buttons) or a bevel it does not.
    void muis_data() { soorten(); }

    void muis() {
        QFETCH(int, positie);
        QFETCH(Instellingen, instellingen);
        QFETCH(Teksten, teksten);
        QFETCH(Beelden, beelden);
        QFETCH(Rechthoeken, toetsen);
        QFETCH(Rechthoeken, bevels);
        QFETCH(Rechthoeken, vormen);
        QFETCH(Klemmen, ingangen);
        QFETCH(Klemmen, uitgangen);

        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TModule* m = form.maakModule(entry(form, positie), 20, 30);
        QVERIFY(m);

        int pakken = 0;
        int nietPakken = 0;
        auto druk = [&](QWidget* w, QPoint p, bool pakt) {
            form.grijpPunt = QPoint(-1, -1);
            QTest::mousePress(w, Qt::LeftButton, {}, p);
            const bool gepakt = platform::sleepBron() == m;
            QTest::mouseRelease(w, Qt::LeftButton, {}, p);
            QVERIFY2(gepakt == pakt, w->metaObject()->className());
            if (pakt)
                QCOMPARE(form.grijpPunt, w->mapTo(m, p));
            QCOMPARE(platform::sleepBron(), nullptr);
            ++(gepakt ? pakken : nietPakken);
        };

        for (QWidget* w : delen<QWidget>(m)) {
            if (!w->isVisible())
                continue;
            if (auto* s = qobject_cast<TSpinEdit*>(w)) {
                druk(s, QPoint(6, s->height() / 2), false);
                for (QWidget* knop : {static_cast<QWidget*>(s->button()->upperButton()),
                                      static_cast<QWidget*>(s->button()->lowerButton())})
                    druk(knop, knop->rect().center(), false);
                if (QTest::currentTestFailed())
                    return;
                continue;
            }
            druk(w, w->rect().center(), isPassief(w));
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(pakken, teksten.size() + beelden.size() + vormen.size());
        qsizetype klemmen = 0;
        for (const Klem& k : ingangen + uitgangen)
            klemmen += k.zichtbaar ? 1 : 0;
        QCOMPARE(nietPakken, klemmen + toetsen.size() + bevels.size() + 3 * instellingen.size());
    }

    // The panel as drawn: terminals in their off colour inside a black
    // outline, dark text in every label, the pictures' lines on the panel
    // colour, the microphone mark black.
    void weergave_data() { soorten(); }

    void weergave() {
        QFETCH(int, positie);
        QFETCH(Klemmen, ingangen);
        QFETCH(Klemmen, uitgangen);
        QFETCH(Teksten, teksten);
        QFETCH(Beelden, beelden);
        QFETCH(Rechthoeken, toetsen);
        QFETCH(Rechthoeken, vormen);

        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TModule* m = form.maakModule(entry(form, positie), 20, 30);
        QVERIFY(m);
        const QImage beeld = m->grab().toImage();
        QCOMPARE(beeld.size(), m->size());

        for (const Klem& k : ingangen + uitgangen) {
            if (!k.zichtbaar) {
                // The hidden third output of the small split leaves the panel bare.
                if (k.x < m->width() - 1)
                    QCOMPARE(beeld.pixelColor(k.x, k.y + 8), kleuren::knopVlak);
                continue;
            }
            QCOMPARE(beeld.pixelColor(k.x + 8, k.y + 8), kleur(k.paar.uit));
            QCOMPARE(beeld.pixelColor(k.x + 2, k.y + 14), kleur(k.paar.uit));
            QCOMPARE(beeld.pixelColor(k.x, k.y + 8), QColor(Qt::black));
            QCOMPARE(beeld.pixelColor(k.x + 16, k.y + 8), QColor(Qt::black));
        }
        for (const Tekst& t : teksten) {
            const QLabel* l = nullptr;
            for (const QLabel* kandidaat : delen<QLabel>(m))
                if (kandidaat->text() == t.tekst)
                    l = kandidaat;
            QVERIFY(l);
            QVERIFY2(donkerePixels(beeld, l->geometry()) > 3 * int(t.tekst.size()),
                     qPrintable(t.tekst));
        }
        for (const Beeld& b : beelden) {
            const QImage& bron = formBeeld(form, b.bron);
            const QRect r(QPoint(b.x, b.y), bron.size());
            QVERIFY(donkerePixels(beeld, r) > 100);
            // White in the picture shows the panel, where no other part lies
            // under or over it.
            auto alleenBeeld = [m, &r](QPoint p) {
                for (const QWidget* w : delen<QWidget>(m))
                    if (w->isVisible() && w->geometry() != r && w->geometry().contains(p))
                        return false;
                return true;
            };
            int wit = 0;
            for (int y = 0; y < bron.height(); y += 3)
                for (int x = 0; x < bron.width(); x += 3) {
                    const QPoint p(b.x + x, b.y + y);
                    if (bron.pixelColor(x, y) != QColor(Qt::white) || !alleenBeeld(p))
                        continue;
                    QCOMPARE(beeld.pixelColor(p), kleuren::knopVlak);
                    ++wit;
                }
            QVERIFY(wit > 50);
        }
        for (const QRect& t : toetsen)
            QCOMPARE(beeld.pixelColor(t.center()), QColor(84, 84, 245));
        for (const QRect& v : vormen) {
            for (int y = v.top(); y <= v.bottom(); ++y)
                for (int x = v.left(); x <= v.right(); ++x)
                    QCOMPARE(beeld.pixelColor(x, y), QColor(Qt::black));
            QCOMPARE(beeld.pixelColor(v.left() - 1, v.top()), kleuren::knopVlak);
            QCOMPARE(beeld.pixelColor(v.right() + 1, v.bottom()), kleuren::knopVlak);
        }
    }

    // The kinds' own fields point at the parts the behaviour will drive, in
    // numbering order.
    void velden() {
        TfKwintelvlak form;
        auto maak = [&form](int positie) { return form.maakModule(entry(form, positie), 0, 0); };

        auto* ad = qobject_cast<TADOmzetterMod*>(maak(4));
        QVERIFY(ad);
        QCOMPARE(ad->ingang, ad->ingangenLijst()[0]);
        QStringList bits;
        for (int i = 1; i <= 4; ++i) {
            QCOMPARE(ad->uitgangen[i], ad->uitgangenLijst()[size_t(i - 1)]);
            QCOMPARE(ad->lBits[i]->x(), ad->uitgangen[i]->x()); // each weight above its output
            QVERIFY(ad->lBits[i]->y() + ad->lBits[i]->height() <= ad->uitgangen[i]->y());
            bits << ad->lBits[i]->text();
        }
        QCOMPARE(bits, (QStringList{"8", "4", "2", "1"}));
        QCOMPARE(ad->lIn->text(), QStringLiteral("IN"));
        QCOMPARE(ad->lUit->text(), QStringLiteral("UIT"));
        QCOMPARE(ad->bLijn1->geometry(), QRect(64, 39, 41, 9));
        QCOMPARE(ad->bLijn2->geometry(), QRect(136, 39, 41, 9));
        QCOMPARE(ad->ingangsNiveau, quint8(0));

        auto* of = qobject_cast<TOFPoortMod*>(maak(7));
        auto* en = qobject_cast<TENPoortMod*>(maak(8));
        auto* cel = qobject_cast<TGeheugenCelMod*>(maak(11));
        QVERIFY(of && en && cel);
        for (TModule* poort :
             {static_cast<TModule*>(of), static_cast<TModule*>(en), static_cast<TModule*>(cel)}) {
            TIngang* const* ingangen =
                of == poort ? of->ingangen : (en == poort ? en->ingangen : cel->ingangen);
            QCOMPARE(ingangen[1], poort->ingangenLijst()[0]);
            QCOMPARE(ingangen[2], poort->ingangenLijst()[1]);
            QCOMPARE(ingangen[1]->y(), 24); // input 1 is the upper one
            QCOMPARE(ingangen[2]->y(), 72);
        }
        QCOMPARE(of->uitgang, of->uitgangenLijst()[0]);
        QCOMPARE(en->iSymbool->picture(), form.iENPoort);
        QCOMPARE(of->lNaam->text(), QStringLiteral("OF-Poort"));
        QVERIFY(!of->ingangHoog[1] && !of->ingangHoog[2] && !cel->geheugen && !cel->ingang1Hoog);

        for (int positie : {9, 10}) {
            auto* split = qobject_cast<TSplitMod*>(maak(positie));
            QVERIFY(split);
            QCOMPARE(split->ingang, split->ingangenLijst()[0]);
            for (int i = 1; i <= 3; ++i)
                QCOMPARE(split->uitgangen[i], split->uitgangenLijst()[size_t(i - 1)]);
            QCOMPARE(split->uitgangen[3]->isHidden(), positie == 10);
            QCOMPARE(split->lNaam->width(), split->width() - 16);
        }

        for (int positie : {12, 13}) {
            auto* inv = qobject_cast<TInvertorMod*>(maak(positie));
            QVERIFY(inv);
            QCOMPARE(inv->ingang, inv->ingangenLijst()[0]);
            QCOMPARE(inv->uitgang, inv->uitgangenLijst()[0]);
            QCOMPARE(inv->ingang->index, 1);
            QCOMPARE(inv->iSymbool->picture(), form.iInvertor);
        }

        auto* vs = qobject_cast<TVariabeleSpanningMod*>(maak(3));
        auto* pg = qobject_cast<TPulsGeneratorMod*>(maak(2));
        auto* cmp = qobject_cast<TComparatorMod*>(maak(5));
        QVERIFY(vs && pg && cmp);
        QCOMPARE(vs->regelaar->text(), QStringLiteral("0,0"));
        QCOMPARE(vs->lEenheid->text(), QStringLiteral("V"));
        QCOMPARE(vs->uitgang, vs->uitgangenLijst()[0]);
        QCOMPARE(pg->regelaar->value(), 1);
        QCOMPARE(pg->lEenheid->text(), QStringLiteral("Hz"));
        QCOMPARE(pg->laatstePuls, quint32(0));
        QCOMPARE(cmp->regelaar->geometry(), QRect(88, 68, 48, 22));
        QCOMPARE(cmp->ingang, cmp->ingangenLijst()[0]);
        QCOMPARE(cmp->iSymbool->picture(), form.iComparator);

        auto* druk = qobject_cast<TDrukSchakelaarMod*>(maak(0));
        QVERIFY(druk);
        QCOMPARE(druk->sSchakelaar->stand, quint8(0));
        QCOMPARE(druk->uitgang, druk->uitgangenLijst()[0]);
        auto* geluid = qobject_cast<TGeluidSensorMod*>(maak(17));
        QVERIFY(geluid);
        QCOMPARE(geluid->stip->geometry(), QRect(21, 29, 4, 4));
        auto* sensor = qobject_cast<TSensorMod*>(maak(18));
        QVERIFY(sensor);
        QCOMPARE(sensor->lNaam->text(), QStringLiteral("Sensor"));
    }

    // Only one sound sensor comes from the menu; the sensor's item stays on.
    void geluidSensorUitMenu() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(form.miGeluidSensor->isEnabled());
        neemUitMenu(form, form.miGeluidSensor, QPoint(10, 10));
        QCOMPARE(form.modules.size(), size_t(1));
        QVERIFY(qobject_cast<TGeluidSensorMod*>(form.modules[0]));
        QVERIFY(!form.miGeluidSensor->isEnabled());

        neemUitMenu(form, form.miSensor, QPoint(10, 100));
        QCOMPARE(form.modules.size(), size_t(2));
        QVERIFY(qobject_cast<TSensorMod*>(form.modules[1]));
        QVERIFY(form.miSensor->isEnabled());
    }
};

QTEST_MAIN(TestSoortenInvoer)
#include "tst_soorten_invoer.moc"
