// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The window on a real X server: the board's client area and a module drawn
// where the board says it stands, read back from a screenshot.
#include "app/bord.h"
#include "app/kwintelvlak.h"
#include "modules/aansluitingen.h"
#include "support/kwinteltest.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QTest>

using namespace kwinteltest;

class TestX11Venster : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        initProces();
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    }

    void bordOpHetScherm() {
        TfKwintelvlak form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.scrollBox->viewport()->size(), QSize(720, 576));

        TModule* led = form.maakModule(entry(form, 1), 40, 50);
        QVERIFY(led);
        QTest::qWait(100);

        QScreen* scherm = form.screen();
        const QPoint oorsprong = form.bord->mapToGlobal(QPoint(0, 0));
        const QImage beeld = scherm->grabWindow(0, oorsprong.x(), oorsprong.y(), 720, 576)
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(beeld.size(), QSize(720, 576));
        // The LED's input terminal stands at (16, 24) in the module: black
        // outline, grey inside.
        const QPoint klem(50 + 16, 40 + 24);
        QCOMPARE(beeld.pixelColor(klem), QColor(Qt::black));
        QCOMPARE(beeld.pixelColor(klem + QPoint(8, 8)), kleur(0x808080));
        // The lamp is dark red at (160, 24).
        QCOMPARE(beeld.pixelColor(QPoint(50 + 160 + 8, 40 + 24 + 8)), kleur(0x000080));
        // Outside the module the board shows its own colour.
        QCOMPARE(beeld.pixelColor(600, 300), kleuren::knopVlak);
    }
};

QTEST_MAIN(TestX11Venster)
#include "tst_x11_venster.moc"
