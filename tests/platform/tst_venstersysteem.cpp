// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// On a Wayland session the program picks XWayland, unless the user chose a
// platform or no X server can be reached.
#include "platform/venstersysteem.h"

#include <QTest>

class TestVensterSysteem : public QObject {
    Q_OBJECT
private slots:
    void kiezen_data() {
        QTest::addColumn<QByteArray>("gekozen");
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("sessie");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("verwacht");
        QTest::newRow("Wayland met XWayland")
            << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland") << QByteArray(":0")
            << QByteArray("xcb");
        QTest::newRow("alleen de sessiesoort")
            << QByteArray() << QByteArray() << QByteArray("wayland") << QByteArray(":1")
            << QByteArray("xcb");
        QTest::newRow("zelf gekozen")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray("wayland")
            << QByteArray(":0") << QByteArray("wayland");
        QTest::newRow("geen X-server") << QByteArray() << QByteArray("wayland-0")
                                       << QByteArray("wayland") << QByteArray() << QByteArray();
        QTest::newRow("X11-sessie") << QByteArray() << QByteArray() << QByteArray("x11")
                                    << QByteArray(":0") << QByteArray();
    }
    void kiezen() {
        QFETCH(QByteArray, gekozen);
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, sessie);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, verwacht);
        const char* namen[] = {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "DISPLAY"};
        const QByteArray waarden[] = {gekozen, wayland, sessie, display};
        QByteArray vorige[4];
        for (int i = 0; i < 4; ++i) {
            vorige[i] = qgetenv(namen[i]);
            if (waarden[i].isEmpty())
                qunsetenv(namen[i]);
            else
                qputenv(namen[i], waarden[i]);
        }
        platform::kiesVensterSysteem();
        const QByteArray gezien = qgetenv("QT_QPA_PLATFORM");
        for (int i = 0; i < 4; ++i)
            qputenv(namen[i], vorige[i]);
        QCOMPARE(gezien, verwacht);
    }
};

QTEST_APPLESS_MAIN(TestVensterSysteem)
#include "tst_venstersysteem.moc"
