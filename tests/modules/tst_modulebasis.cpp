// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The module base's mouse handling: which parts take hold of the module,
// which open its context menu, and which do neither.
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "modules/onderdelen.h"
#include "platform/slepen.h"
#include "support/kwinteltest.h"

#include <QLabel>
#include <QMenu>
#include <QTest>

using namespace kwinteltest;

class TestModulebasis : public QObject {
    Q_OBJECT

    std::unique_ptr<TfKwintelvlak> form;
    TestModule* mod = nullptr;

    QWidget* onderdeel(const QString& naam) {
        if (naam == "paneel")
            return mod;
        if (naam == "naamlabel")
            return mod->lNaam;
        if (naam == "afbeelding")
            return mod->iSymbool;
        if (naam == "bevel")
            return mod->bLijn;
        if (naam == "ingang")
            return mod->ingangenLijst()[0];
        if (naam == "uitgang")
            return mod->uitgangenLijst()[0];
        return nullptr;
    }

    static void onderdelen(const char* antwoordt) {
        QTest::addColumn<QString>("deel");
        QTest::addColumn<bool>(antwoordt);
        QTest::newRow("paneel") << "paneel" << true;
        QTest::newRow("naamlabel") << "naamlabel" << true;
        QTest::newRow("afbeelding") << "afbeelding" << true;
        QTest::newRow("bevel") << "bevel" << false;
        QTest::newRow("ingang") << "ingang" << false;
        QTest::newRow("uitgang") << "uitgang" << false;
    }

private slots:
    void initTestCase() { initProces(); }

    void init() {
        form = std::make_unique<TfKwintelvlak>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        mod = plaatsTestModule(*form, entry(*form, 1), 1, 1, 100, 200);
    }

    void cleanup() {
        form->pmContext->hide();
        form.reset();
    }

    // The panel and its passive parts answer the mouse; terminals and bevels do not.
    void linksIndrukken_data() { onderdelen("pakt"); }

    void linksIndrukken() {
        QFETCH(QString, deel);
        QFETCH(bool, pakt);
        QWidget* w = onderdeel(deel);
        const QPoint binnen(3, 2);
        form->grijpPunt = QPoint(-1, -1);
        QTest::mousePress(w, Qt::LeftButton, {}, binnen);
        if (pakt) {
            QCOMPARE(platform::sleepBron(), mod);
            // Where inside the module it was taken, whichever part was pressed.
            QCOMPARE(form->grijpPunt, w->mapTo(mod, binnen));
        } else {
            // A terminal starts a wire of its own; a bevel starts nothing.
            QVERIFY(platform::sleepBron() != mod);
            QCOMPARE(form->grijpPunt, QPoint(-1, -1));
        }
        QTest::mouseRelease(w, Qt::LeftButton, {}, binnen);
        QCOMPARE(platform::sleepBron(), nullptr);
        QVERIFY(mod->isVisible());
        QVERIFY(!form->pmContext->isVisible());
    }

    void rechtsLoslaten_data() { onderdelen("menu"); }

    void rechtsLoslaten() {
        QFETCH(QString, deel);
        QFETCH(bool, menu);
        QWidget* w = onderdeel(deel);
        QTest::mousePress(w, Qt::RightButton, {}, QPoint(4, 4));
        QCOMPARE(platform::sleepBron(), nullptr); // the right button never takes hold
        QTest::mouseRelease(w, Qt::RightButton, {}, QPoint(4, 4));
        QCOMPARE(form->pmContext->isVisible(), menu);
        QCOMPARE(form->contextModule, menu ? mod : nullptr);
        if (menu)
            QCOMPARE(form->pmContext->pos(), w->mapToGlobal(QPoint(4, 4)));
    }

    void middelsteKnopDoetNiets() {
        for (QWidget* w : {static_cast<QWidget*>(mod), static_cast<QWidget*>(mod->lNaam)}) {
            QTest::mouseClick(w, Qt::MiddleButton, {}, QPoint(5, 5));
            QCOMPARE(platform::sleepBron(), nullptr);
            QCOMPARE(form->contextModule, nullptr);
            QVERIFY(!form->pmContext->isVisible());
        }
    }

    void contextmenuVerwijdert() {
        auto* tweede = plaatsTestModule(*form, entry(*form, 1));
        QTest::mouseClick(mod->lNaam, Qt::RightButton, {}, QPoint(4, 4));
        QVERIFY(form->pmContext->isVisible());
        QPointer<TModule> weg = mod;
        QCOMPARE(form->pmContext->actions().size(), 1);
        QCOMPARE(form->pmContext->actions()[0]->text(), QStringLiteral("&Verwijderen"));
        form->pmContext->actions()[0]->trigger();
        QVERIFY(weg.isNull());
        QCOMPARE(form->contextModule, nullptr);
        QCOMPARE(form->modules, TModuleArray{tweede});
        QCOMPARE(tweede->nummer, 1);
    }
};

QTEST_MAIN(TestModulebasis)
#include "tst_modulebasis.moc"
