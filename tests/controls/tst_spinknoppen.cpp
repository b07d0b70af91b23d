// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The spin controls: glyphs, the up/down button with its auto-repeat, and the
// integer and decimal spin edits with their ranges, filter and stepping.
#include "controls/spinknoppen.h"
#include "platform/testseams.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <QtTest>
#include <climits>
#include <memory>
#include <stdexcept>

namespace {

// A shown, active window holding a control and a plain edit to move the
// focus to, so that focus changes happen as they do in the program.
struct Venster {
    QWidget venster;
    QLineEdit* ander = nullptr;

    template <class T> T* met(T* control) {
        auto* layout = new QVBoxLayout(&venster);
        layout->addWidget(control);
        ander = new QLineEdit(&venster);
        layout->addWidget(ander);
        venster.show();
        venster.activateWindow();
        if (!QTest::qWaitForWindowActive(&venster))
            qWarning("window did not become active");
        return control;
    }
};

QRgb geinverteerd(QRgb c) {
    return c ^ 0x00ffffffu;
}

QPalette knopPalet() {
    QPalette pal;
    pal.setColor(QPalette::Button, QColor(240, 240, 240));
    pal.setColor(QPalette::Light, Qt::white);
    pal.setColor(QPalette::Dark, QColor(160, 160, 160));
    pal.setColor(QPalette::Shadow, Qt::black);
    return pal;
}

std::unique_ptr<TSpinEdit> maakEdit(bool komma) {
    if (komma)
        return std::make_unique<TCommaSpinEdit>();
    return std::make_unique<TSpinEdit>();
}

} // namespace

class TstSpinknoppen : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void glyphPixels_data();
    void glyphPixels();
    void defaultGlyphsRestored();
    void buttonPainting_data();
    void buttonPainting();
    void focusFrame_data();
    void focusFrame();

    void spinButtonLayout_data();
    void spinButtonLayout();
    void autoRepeat_data();
    void autoRepeat();
    void repeatsPauseOffButton();
    void repeatOnlyWhenEnabled();
    void repeatFailureStopsRepeating();
    void spinButtonKeys_data();
    void spinButtonKeys();
    void focusFrameFollowsActiveButton();
    void pressFocusesFocusControl();

    void writeValue_data();
    void writeValue();
    void readValue_data();
    void readValue();
    void clampOnLeaving_data();
    void clampOnLeaving();
    void stepping_data();
    void stepping();
    void readOnlySteppingBeeps();
    void typedCharacters_data();
    void typedCharacters();
    void controlKeys_data();
    void controlKeys();
    void pasteAndCut_data();
    void pasteAndCut();
    void contextMenu_data();
    void contextMenu();
    void inputMethodCommit();
    void autoSelectOnEntering_data();
    void autoSelectOnEntering();
    void editLayout_data();
    void editLayout();
    void minimumHeight();
};

void TstSpinknoppen::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
}

// ---- Glyphs and painting -------------------------------------------------------

void TstSpinknoppen::glyphPixels_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QStringList>("beeld");
    QTest::newRow("SpinUp") << "SpinUp" << QStringList{".........", "....#....", "...###...",
                                                       "..#####..", ".#######.", "........."};
    QTest::newRow("SpinDown") << "SpinDown" << QStringList{".........", ".#######.", "..#####..",
                                                           "...###...", "....#....", "........."};
}

void TstSpinknoppen::glyphPixels() {
    QFETCH(QString, naam);
    QFETCH(QStringList, beeld);
    const QImage glyph = spinGlyph(naam);
    QCOMPARE(glyph.size(), QSize(9, 6));
    QCOMPARE(glyph.colorCount(), 16);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x) {
            const QRgb verwacht = beeld[y][x] == u'#' ? qRgb(0, 0, 0) : qRgb(128, 128, 0);
            QVERIFY2(glyph.pixel(x, y) == verwacht,
                     qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    QVERIFY(spinGlyph(QStringLiteral("SpinLeft")).isNull());
}

void TstSpinknoppen::defaultGlyphsRestored() {
    TSpinButton knop;
    QCOMPARE(knop.upGlyph(), spinGlyph(QStringLiteral("SpinUp")));
    QCOMPARE(knop.downGlyph(), spinGlyph(QStringLiteral("SpinDown")));
    QImage eigen(8, 4, QImage::Format_RGB32);
    eigen.fill(Qt::red);
    knop.setUpGlyph(eigen);
    knop.setUpNumGlyphs(2);
    QCOMPARE(knop.upGlyph(), eigen);
    knop.setUpGlyph(QImage());
    QCOMPARE(knop.upGlyph(), spinGlyph(QStringLiteral("SpinUp")));
    QCOMPARE(knop.upNumGlyphs(), 1);
}

void TstSpinknoppen::buttonPainting_data() {
    QTest::addColumn<bool>("neer");
    QTest::addColumn<bool>("uit");
    QTest::addColumn<QColor>("linksBoven");
    QTest::addColumn<QColor>("rechtsOnder");
    QTest::addColumn<QPoint>("top"); // the triangle's apex
    QTest::addColumn<QColor>("topKleur");
    QTest::addColumn<QPoint>("naastTop"); // below the base when embossed
    QTest::addColumn<QColor>("naastKleur");
    const QColor vlak(240, 240, 240);
    const QColor grijs(160, 160, 160);
    // A 15 x 12 button centres the 9 x 6 glyph at (3, 3).
    QTest::newRow("up") << false << false << QColor(Qt::white) << QColor(Qt::black) << QPoint(7, 4)
                        << QColor(Qt::black) << QPoint(7, 3) << vlak;
    QTest::newRow("down, glyph moved") << true << false << QColor(Qt::black) << QColor(Qt::white)
                                       << QPoint(8, 5) << QColor(Qt::black) << QPoint(7, 4) << vlak;
    QTest::newRow("disabled, embossed")
        << false << true << QColor(Qt::white) << QColor(Qt::black) << QPoint(7, 4) << grijs
        << QPoint(8, 8) << QColor(Qt::white);
}

void TstSpinknoppen::buttonPainting() {
    QFETCH(bool, neer);
    QFETCH(bool, uit);
    QFETCH(QColor, linksBoven);
    QFETCH(QColor, rechtsOnder);
    QFETCH(QPoint, top);
    QFETCH(QColor, topKleur);
    QFETCH(QPoint, naastTop);
    QFETCH(QColor, naastKleur);
    TTimerSpeedButton knop;
    knop.setPalette(knopPalet());
    knop.resize(15, 12);
    knop.setGlyph(spinGlyph(QStringLiteral("SpinUp")));
    knop.setDown(neer);
    knop.setEnabled(!uit);
    const QImage beeld = knop.grab().toImage();
    QCOMPARE(beeld.pixelColor(0, 0), linksBoven);
    QCOMPARE(beeld.pixelColor(14, 11), rechtsOnder);
    QCOMPARE(beeld.pixelColor(top), topKleur);
    QCOMPARE(beeld.pixelColor(naastTop), naastKleur);
    // The glyph's background colour is transparent: no olive anywhere.
    for (int y = 0; y < beeld.height(); ++y)
        for (int x = 0; x < beeld.width(); ++x)
            QVERIFY(beeld.pixel(x, y) != qRgb(128, 128, 0));
}

void TstSpinknoppen::focusFrame_data() {
    QTest::addColumn<bool>("neer");
    QTest::addColumn<QList<QPoint>>("omgekeerd");
    QTest::addColumn<QList<QPoint>>("ongemoeid");
    // 15 x 12: the frame runs from (3,3) to (11,8), every other pixel.
    QTest::newRow("up") << false << QList<QPoint>{{3, 3}, {11, 3}, {3, 5}, {4, 8}}
                        << QList<QPoint>{{2, 2}, {4, 3}, {11, 8}, {4, 4}, {12, 9}};
    QTest::newRow("down") << true << QList<QPoint>{{4, 4}, {12, 4}, {4, 6}, {5, 9}}
                          << QList<QPoint>{{3, 3}, {5, 4}, {12, 9}, {5, 5}};
}

void TstSpinknoppen::focusFrame() {
    QFETCH(bool, neer);
    QFETCH(QList<QPoint>, omgekeerd);
    QFETCH(QList<QPoint>, ongemoeid);
    TTimerSpeedButton knop;
    knop.setPalette(knopPalet());
    knop.resize(15, 12);
    knop.setDown(neer);
    const QImage zonder = knop.grab().toImage();
    knop.setShowFocusFrame(true);
    const QImage met = knop.grab().toImage();
    for (const QPoint& p : omgekeerd)
        QCOMPARE(met.pixel(p) & 0xffffffu, geinverteerd(zonder.pixel(p)) & 0xffffffu);
    for (const QPoint& p : ongemoeid)
        QCOMPARE(met.pixel(p), zonder.pixel(p));
    int anders = 0;
    for (int y = 0; y < met.height(); ++y)
        for (int x = 0; x < met.width(); ++x)
            anders += met.pixel(x, y) != zonder.pixel(x, y);
    QCOMPARE(anders, 13); // half of the 26 pixels around a 9 x 6 rectangle
}

// ---- TSpinButton ----------------------------------------------------------------

void TstSpinknoppen::spinButtonLayout_data() {
    QTest::addColumn<QSize>("gevraagd"); // empty: as created
    QTest::addColumn<QSize>("grootte");
    QTest::addColumn<QRect>("boven");
    QTest::addColumn<QRect>("onder");
    QTest::newRow("created") << QSize() << QSize(20, 25) << QRect(0, 0, 20, 12)
                             << QRect(0, 11, 20, 14);
    QTest::newRow("12 wide widened")
        << QSize(12, 25) << QSize(15, 25) << QRect(0, 0, 15, 12) << QRect(0, 11, 15, 14);
    QTest::newRow("inside an edit")
        << QSize(15, 17) << QSize(15, 17) << QRect(0, 0, 15, 8) << QRect(0, 7, 15, 10);
    QTest::newRow("even height") << QSize(30, 10) << QSize(30, 10) << QRect(0, 0, 30, 5)
                                 << QRect(0, 4, 30, 6);
}

void TstSpinknoppen::spinButtonLayout() {
    QFETCH(QSize, gevraagd);
    QFETCH(QSize, grootte);
    QFETCH(QRect, boven);
    QFETCH(QRect, onder);
    TSpinButton knop;
    if (gevraagd.isValid())
        knop.resize(gevraagd);
    knop.show();
    QCOMPARE(knop.size(), grootte);
    QCOMPARE(knop.upperButton()->geometry(), boven);
    QCOMPARE(knop.lowerButton()->geometry(), onder);
}

void TstSpinknoppen::autoRepeat_data() {
    QTest::addColumn<bool>("onder");
    QTest::addColumn<QList<int>>("stappen"); // clock steps while held, ms
    QTest::addColumn<QList<int>>("klikken"); // click times after the press, ms
    const QList<int> vastgehouden{400, 500, 600, 700, 800, 900, 1000, 1050};
    QTest::newRow("short press clicks at release") << false << QList<int>{} << QList<int>{0};
    QTest::newRow("released before first repeat") << false << QList<int>{399} << QList<int>{399};
    QTest::newRow("held 1050 ms in 10 ms steps") << false << QList<int>(105, 10) << vastgehouden;
    QTest::newRow("held 1050 ms in one step") << false << QList<int>{1050} << vastgehouden;
    QTest::newRow("held 1050 ms in uneven steps")
        << false << QList<int>{1, 398, 1, 99, 2, 549} << vastgehouden;
    QTest::newRow("lower button") << true << QList<int>{650} << QList<int>{400, 500, 600, 650};
}

void TstSpinknoppen::autoRepeat() {
    QFETCH(bool, onder);
    QFETCH(QList<int>, stappen);
    QFETCH(QList<int>, klikken);
    platform::FakeClock klok(5000);
    TSpinButton knop;
    knop.show();
    QList<int> tijden;
    int verkeerd = 0;
    const auto noteer = [&] { tijden << int(platform::tickCount() - 5000); };
    connect(&knop, onder ? &TSpinButton::downClick : &TSpinButton::upClick, this, noteer);
    connect(&knop, onder ? &TSpinButton::upClick : &TSpinButton::downClick, this,
            [&] { ++verkeerd; });
    TTimerSpeedButton* b = onder ? knop.lowerButton() : knop.upperButton();
    QTest::mousePress(b, Qt::LeftButton);
    QVERIFY(b->isDown());
    for (int ms : stappen)
        klok.advance(ms);
    QTest::mouseRelease(b, Qt::LeftButton);
    QCOMPARE(tijden, klikken);
    QCOMPARE(verkeerd, 0);
    klok.advance(1000);
    QCOMPARE(tijden.size(), klikken.size());
}

void TstSpinknoppen::repeatsPauseOffButton() {
    platform::FakeClock klok(0);
    TSpinButton knop;
    knop.show();
    QList<int> tijden;
    connect(&knop, &TSpinButton::upClick, this, [&] { tijden << int(platform::tickCount()); });
    TTimerSpeedButton* b = knop.upperButton();
    QTest::mousePress(b, Qt::LeftButton);
    klok.advance(450);
    QTest::mouseMove(b, QPoint(-4, -4));
    QVERIFY(!b->isDown());
    klok.advance(500);
    QTest::mouseMove(b, QPoint(5, 5));
    QVERIFY(b->isDown());
    klok.advance(200);
    QTest::mouseMove(b, QPoint(40, 5));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(40, 5));
    QCOMPARE(tijden, (QList<int>{400, 1000, 1100}));
}

void TstSpinknoppen::repeatOnlyWhenEnabled() {
    platform::FakeClock klok;
    TTimerSpeedButton gewoon;
    gewoon.resize(20, 20);
    gewoon.show();
    int klikken = 0;
    connect(&gewoon, &QAbstractButton::clicked, this, [&] { ++klikken; });
    QTest::mousePress(&gewoon, Qt::LeftButton);
    klok.advance(1000);
    QTest::mouseRelease(&gewoon, Qt::LeftButton);
    QCOMPARE(klikken, 1);
    QVERIFY(!gewoon.repeatClock());

    TSpinButton knop;
    knop.show();
    QVERIFY(!knop.upperButton()->repeatClock());
    QTest::mousePress(knop.upperButton(), Qt::LeftButton);
    QVERIFY(knop.upperButton()->repeatClock());
    // A coarse timer may drift by 5 %: the repeats ask for precise timing.
    QVERIFY(knop.upperButton()->repeatClock()->isPrecise());
    QTest::mouseRelease(knop.upperButton(), Qt::LeftButton);
    QVERIFY(!knop.upperButton()->repeatClock()->isActive());
}

void TstSpinknoppen::repeatFailureStopsRepeating() {
    platform::FakeClock klok(0);
    TSpinButton knop;
    knop.show();
    int klikken = 0;
    connect(&knop, &TSpinButton::upClick, this, [&] {
        if (++klikken == 2)
            throw std::runtime_error("stap mislukt");
    });
    QTest::mousePress(knop.upperButton(), Qt::LeftButton);
    klok.advance(450);
    QCOMPARE(klikken, 1);
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, klok.advance(100));
    QCOMPARE(klikken, 2);
    QVERIFY(!knop.upperButton()->repeatClock()->isActive());
    klok.advance(1000);
    QCOMPARE(klikken, 2);
}

void TstSpinknoppen::spinButtonKeys_data() {
    QTest::addColumn<bool>("tabStop");
    QTest::addColumn<QList<int>>("toetsen");
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("neer");
    QTest::addColumn<bool>("onderActief");
    using L = QList<int>;
    QTest::newRow("Up") << true << L{Qt::Key_Up} << 1 << 0 << false;
    QTest::newRow("Down") << true << L{Qt::Key_Down} << 0 << 1 << true;
    QTest::newRow("Space clicks upper") << true << L{Qt::Key_Space} << 1 << 0 << false;
    QTest::newRow("Down Space Space")
        << true << L{Qt::Key_Down, Qt::Key_Space, Qt::Key_Space} << 0 << 3 << true;
    QTest::newRow("Down Up Space")
        << true << L{Qt::Key_Down, Qt::Key_Up, Qt::Key_Space} << 2 << 1 << false;
    QTest::newRow("other keys") << true << L{Qt::Key_Left, Qt::Key_A} << 0 << 0 << false;
    QTest::newRow("no TabStop: no selecting")
        << false << L{Qt::Key_Down, Qt::Key_Space} << 1 << 1 << false;
}

void TstSpinknoppen::spinButtonKeys() {
    QFETCH(bool, tabStop);
    QFETCH(QList<int>, toetsen);
    QFETCH(int, op);
    QFETCH(int, neer);
    QFETCH(bool, onderActief);
    TSpinButton knop;
    knop.setTabStop(tabStop);
    knop.show();
    int ups = 0;
    int downs = 0;
    connect(&knop, &TSpinButton::upClick, this, [&] { ++ups; });
    connect(&knop, &TSpinButton::downClick, this, [&] { ++downs; });
    for (int toets : toetsen)
        QTest::keyClick(&knop, Qt::Key(toets));
    QCOMPARE(ups, op);
    QCOMPARE(downs, neer);
    QCOMPARE(knop.activeButton(), onderActief ? knop.lowerButton() : knop.upperButton());
}

void TstSpinknoppen::focusFrameFollowsActiveButton() {
    Venster v;
    auto* knop = v.met(new TSpinButton);
    knop->setTabStop(true);
    QVERIFY(!knop->upperButton()->showFocusFrame());
    knop->setFocus(Qt::TabFocusReason);
    QVERIFY(knop->upperButton()->showFocusFrame());
    QTest::keyClick(knop, Qt::Key_Down);
    QVERIFY(!knop->upperButton()->showFocusFrame());
    QVERIFY(knop->lowerButton()->showFocusFrame());
    v.ander->setFocus(Qt::TabFocusReason);
    QVERIFY(!knop->lowerButton()->showFocusFrame());
    QVERIFY(!knop->upperButton()->showFocusFrame());

    // Pressing a button selects it and takes the focus for the spin button.
    QTest::mousePress(knop->upperButton(), Qt::LeftButton);
    QVERIFY(knop->hasFocus());
    QCOMPARE(knop->activeButton(), knop->upperButton());
    QVERIFY(knop->upperButton()->showFocusFrame());
    QTest::mouseRelease(knop->upperButton(), Qt::LeftButton);
}

void TstSpinknoppen::pressFocusesFocusControl() {
    platform::FakeClock klok;
    Venster v;
    auto* edit = v.met(new TSpinEdit);
    edit->setText(QStringLiteral("7"));
    v.ander->setFocus();
    QTest::mousePress(edit->button()->lowerButton(), Qt::LeftButton);
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), QStringLiteral("7"));
    // The inner button has no TabStop: it never becomes the active one.
    QCOMPARE(edit->button()->activeButton(), edit->button()->upperButton());
    QTest::mouseRelease(edit->button()->lowerButton(), Qt::LeftButton);
    QCOMPARE(edit->text(), QStringLiteral("6"));

    // A press on the text itself goes to the caret: nothing is selected on
    // the way, not even for a moment.
    v.ander->setFocus();
    QSignalSpy selectie(edit, &QLineEdit::selectionChanged);
    const QPoint opTekst = edit->rect().center() - QPoint(edit->width() / 4, 0);
    platform::FakeCursor cursor(edit->mapToGlobal(opTekst));
    QWindow* raam = edit->window()->windowHandle();
    QTest::mousePress(raam, Qt::LeftButton, {}, raam->mapFromGlobal(cursor.pos()));
    QVERIFY(edit->hasFocus());
    QCOMPARE(selectie.count(), 0);
    QTest::mouseRelease(raam, Qt::LeftButton, {}, raam->mapFromGlobal(cursor.pos()));

    TSpinButton knop;
    auto* doel = new QLineEdit;
    knop.setFocusControl(doel);
    delete doel;
    QCOMPARE(knop.focusControl(), nullptr);
}

// ---- Values -------------------------------------------------------------------------

void TstSpinknoppen::writeValue_data() {
    QTest::addColumn<bool>("komma");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("waarde");
    QTest::addColumn<QString>("tekst");
    QTest::newRow("above range") << false << 0 << 10 << 12 << "10";
    QTest::newRow("below range") << false << 0 << 10 << -3 << "0";
    QTest::newRow("inside range") << false << 0 << 10 << 7 << "7";
    QTest::newRow("negative range") << false << -10 << -2 << 0 << "-2";
    QTest::newRow("equal limits: no limits") << false << 0 << 0 << -12345 << "-12345";
    QTest::newRow("equal limits elsewhere") << false << 5 << 5 << 99 << "99";
    QTest::newRow("comma 0") << true << 0 << 50 << 0 << "0,0";
    QTest::newRow("comma 5") << true << 0 << 50 << 5 << "0,5";
    QTest::newRow("comma 7") << true << 0 << 50 << 7 << "0,7";
    QTest::newRow("comma 25") << true << 0 << 50 << 25 << "2,5";
    QTest::newRow("comma 50") << true << 0 << 50 << 50 << "5,0";
    QTest::newRow("comma above range") << true << 0 << 50 << 60 << "5,0";
    QTest::newRow("comma below range") << true << 0 << 50 << -1 << "0,0";
    QTest::newRow("comma 99") << true << 0 << 0 << 99 << "9,9";
    QTest::newRow("comma 123") << true << 0 << 0 << 123 << "12,3";
    QTest::newRow("comma -5") << true << 0 << 0 << -5 << "-0,5";
    QTest::newRow("comma -25") << true << 0 << 0 << -25 << "-2,5";
    QTest::newRow("comma -123") << true << 0 << 0 << -123 << "-12,3";
    QTest::newRow("comma lowest int") << true << 0 << 0 << INT_MIN << "-214748364,8";
}

void TstSpinknoppen::writeValue() {
    QFETCH(bool, komma);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, waarde);
    QFETCH(QString, tekst);
    auto edit = maakEdit(komma);
    QCOMPARE(edit->text(), komma ? QStringLiteral("0,0") : QStringLiteral("0"));
    edit->setMinValue(min);
    edit->setMaxValue(max);
    edit->setValue(waarde);
    QCOMPARE(edit->text(), tekst);
    // What is shown reads back as the same value.
    QCOMPARE(edit->value(), edit->clampValue(waarde));
}

void TstSpinknoppen::readValue_data() {
    QTest::addColumn<bool>("komma");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<int>("waarde");
    // MinValue is 5 throughout.
    QTest::newRow("empty") << false << "" << 5;
    QTest::newRow("letters") << false << "abc" << 5;
    QTest::newRow("comma in integer edit") << false << "1,5" << 5;
    QTest::newRow("outside range unclamped") << false << "12" << 12;
    QTest::newRow("negative") << false << "-4" << -4;
    QTest::newRow("plus sign") << false << "+3" << 3;
    QTest::newRow("too big for an integer") << false << "99999999999" << 5;
    QTest::newRow("comma 2,5") << true << "2,5" << 25;
    QTest::newRow("comma 2,59 truncated") << true << "2,59" << 25;
    QTest::newRow("comma 0,7") << true << "0,7" << 7;
    QTest::newRow("comma whole number") << true << "4" << 40;
    QTest::newRow("comma negative toward zero") << true << "-2,59" << -25;
    QTest::newRow("comma -0,5") << true << "-0,5" << -5;
    QTest::newRow("comma point is no separator") << true << "2.5" << 5;
    QTest::newRow("comma letters") << true << "x" << 5;
    QTest::newRow("comma empty") << true << "" << 5;
    QTest::newRow("comma huge saturates") << true << "1e300" << INT_MAX;
}

void TstSpinknoppen::readValue() {
    QFETCH(bool, komma);
    QFETCH(QString, tekst);
    QFETCH(int, waarde);
    auto edit = maakEdit(komma);
    edit->setMinValue(5);
    edit->setMaxValue(9);
    edit->setText(tekst);
    QCOMPARE(edit->value(), waarde);
}

void TstSpinknoppen::clampOnLeaving_data() {
    QTest::addColumn<bool>("komma");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<QString>("getypt");
    QTest::addColumn<int>("reden");
    QTest::addColumn<QString>("tekst");
    const int tab = Qt::TabFocusReason;
    QTest::newRow("12 in 0..10") << false << 0 << 10 << "12" << tab << "10";
    QTest::newRow("-3 in 0..10") << false << 0 << 10 << "-3" << tab << "0";
    QTest::newRow("7 stays") << false << 0 << 10 << "7" << tab << "7";
    QTest::newRow("no limits") << false << 0 << 0 << "12" << tab << "12";
    QTest::newRow("unparsable stays") << false << 5 << 9 << "" << tab << "";
    QTest::newRow("by mouse") << false << 0 << 10 << "12" << int(Qt::MouseFocusReason) << "10";
    QTest::newRow("comma 7,3 in 0..50") << true << 0 << 50 << "7,3" << tab << "5,0";
    QTest::newRow("comma -0,1") << true << 0 << 50 << "-0,1" << tab << "0,0";
    QTest::newRow("comma 2,59 in range stays") << true << 0 << 50 << "2,59" << tab << "2,59";
    QTest::newRow("menu opening is no leaving")
        << false << 0 << 10 << "12" << int(Qt::PopupFocusReason) << "12";
}

void TstSpinknoppen::clampOnLeaving() {
    QFETCH(bool, komma);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(QString, getypt);
    QFETCH(int, reden);
    QFETCH(QString, tekst);
    Venster v;
    auto* edit = v.met(maakEdit(komma).release());
    edit->setMinValue(min);
    edit->setMaxValue(max);
    edit->setFocus(Qt::TabFocusReason);
    QVERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, getypt);
    QCOMPARE(edit->text(), getypt); // not corrected while typing
    v.ander->setFocus(Qt::FocusReason(reden));
    QCOMPARE(edit->text(), tekst);
}

// ---- Stepping and keys ----------------------------------------------------------------

void TstSpinknoppen::stepping_data() {
    QTest::addColumn<bool>("komma");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("stap");
    QTest::addColumn<QString>("begin");
    QTest::addColumn<bool>("omhoog");
    QTest::addColumn<bool>("metKnop"); // the inner button instead of the arrow key
    QTest::addColumn<QStringList>("teksten");
    QTest::newRow("comma up to the top")
        << true << 0 << 50 << 1 << "4,9" << true << false << QStringList{"5,0", "5,0"};
    QTest::newRow("comma up to the top, button")
        << true << 0 << 50 << 1 << "4,9" << true << true << QStringList{"5,0", "5,0"};
    QTest::newRow("comma down to the bottom")
        << true << 0 << 50 << 1 << "0,1" << false << false << QStringList{"0,0", "0,0"};
    QTest::newRow("comma down, button")
        << true << 0 << 50 << 1 << "0,1" << false << true << QStringList{"0,0", "0,0"};
    QTest::newRow("comma from unparsable")
        << true << 0 << 50 << 1 << "" << true << false << QStringList{"0,1", "0,2"};
    QTest::newRow("comma from truncated text")
        << true << 0 << 50 << 1 << "2,59" << true << true << QStringList{"2,6", "2,7"};
    QTest::newRow("integer to the top")
        << false << 0 << 10 << 1 << "9" << true << false << QStringList{"10", "10"};
    QTest::newRow("integer without limits")
        << false << 0 << 0 << 1 << "0" << false << true << QStringList{"-1", "-2"};
    QTest::newRow("increment 4") << false << 0 << 10 << 4 << "3" << true << false
                                 << QStringList{"7", "10"};
    QTest::newRow("end of the integers") << false << 0 << 0 << 1 << "2147483646" << true << false
                                         << QStringList{"2147483647", "2147483647"};
}

void TstSpinknoppen::stepping() {
    QFETCH(bool, komma);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, stap);
    QFETCH(QString, begin);
    QFETCH(bool, omhoog);
    QFETCH(bool, metKnop);
    QFETCH(QStringList, teksten);
    platform::FakeClock klok;
    platform::BeepRecorder piepjes;
    auto edit = maakEdit(komma);
    edit->setMinValue(min);
    edit->setMaxValue(max);
    edit->setIncrement(stap);
    edit->setText(begin);
    edit->show();
    TSpinButton* knop = edit->button();
    for (const QString& tekst : teksten) {
        if (metKnop)
            QTest::mouseClick(omhoog ? knop->upperButton() : knop->lowerButton(), Qt::LeftButton);
        else
            QTest::keyClick(edit.get(), omhoog ? Qt::Key_Up : Qt::Key_Down);
        QCOMPARE(edit->text(), tekst);
    }
    QCOMPARE(piepjes.count(), 0);
}

void TstSpinknoppen::readOnlySteppingBeeps() {
    platform::FakeClock klok;
    platform::BeepRecorder piepjes;
    TCommaSpinEdit edit;
    edit.setMaxValue(50);
    edit.setValue(20);
    edit.setReadOnly(true);
    edit.show();
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::mouseClick(edit.button()->upperButton(), Qt::LeftButton);
    QCOMPARE(edit.text(), QStringLiteral("2,0"));
    QCOMPARE(piepjes.count(), 3);
}

void TstSpinknoppen::typedCharacters_data() {
    QTest::addColumn<bool>("komma");
    QTest::addColumn<bool>("bewerkbaar");
    QTest::addColumn<QString>("getypt");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<int>("piepjes");
    QTest::addColumn<int>("waarde"); // MinValue is 3
    QTest::newRow("digits") << false << true << "12"
                            << "12" << 0 << 12;
    QTest::newRow("letter refused") << false << true << "1a2"
                                    << "12" << 1 << 12;
    QTest::newRow("signs and comma") << false << true << "-1,5"
                                     << "-1,5" << 0 << 3;
    QTest::newRow("point, space, letter") << false << true << "+. x"
                                          << "+" << 3 << 3;
    QTest::newRow("comma edit") << true << true << "2,5"
                                << "2,5" << 0 << 25;
    QTest::newRow("comma edit, point refused") << true << true << "2.5"
                                               << "25" << 1 << 250;
    QTest::newRow("editor off, digits") << false << false << "12"
                                        << "" << 2 << 3;
    QTest::newRow("editor off, comma") << true << false << ","
                                       << "" << 1 << 3;
}

void TstSpinknoppen::typedCharacters() {
    QFETCH(bool, komma);
    QFETCH(bool, bewerkbaar);
    QFETCH(QString, getypt);
    QFETCH(QString, tekst);
    QFETCH(int, piepjes);
    QFETCH(int, waarde);
    platform::BeepRecorder piep;
    auto edit = maakEdit(komma);
    edit->setMinValue(3);
    edit->setMaxValue(300);
    edit->setEditorEnabled(bewerkbaar);
    edit->setText(QString());
    QTest::keyClicks(edit.get(), getypt);
    QCOMPARE(edit->text(), tekst);
    QCOMPARE(piep.count(), piepjes);
    QCOMPARE(edit->value(), waarde);
}

void TstSpinknoppen::controlKeys_data() {
    QTest::addColumn<bool>("bewerkbaar");
    QTest::addColumn<int>("toets");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<int>("piepjes");
    // The text is "45" throughout.
    QTest::newRow("Backspace") << true << int(Qt::Key_Backspace) << 2 << "4" << 0;
    QTest::newRow("Backspace, editor off") << false << int(Qt::Key_Backspace) << 2 << "45" << 1;
    QTest::newRow("Enter is refused") << true << int(Qt::Key_Return) << 2 << "45" << 1;
    QTest::newRow("Enter, editor off") << false << int(Qt::Key_Return) << 2 << "45" << 1;
    QTest::newRow("Delete") << true << int(Qt::Key_Delete) << 0 << "5" << 0;
    QTest::newRow("Delete, editor off") << false << int(Qt::Key_Delete) << 0 << "45" << 1;
    QTest::newRow("Escape passes, editor off") << false << int(Qt::Key_Escape) << 2 << "45" << 0;
    QTest::newRow("Up steps, editor off") << false << int(Qt::Key_Up) << 2 << "46" << 0;
    QTest::newRow("Down steps, editor off") << false << int(Qt::Key_Down) << 2 << "44" << 0;
}

void TstSpinknoppen::controlKeys() {
    QFETCH(bool, bewerkbaar);
    QFETCH(int, toets);
    QFETCH(int, cursor);
    QFETCH(QString, tekst);
    QFETCH(int, piepjes);
    platform::BeepRecorder piep;
    TSpinEdit edit;
    edit.setEditorEnabled(bewerkbaar);
    edit.setText(QStringLiteral("45"));
    edit.setCursorPosition(cursor);
    QTest::keyClick(&edit, Qt::Key(toets));
    QCOMPARE(edit.text(), tekst);
    QCOMPARE(piep.count(), piepjes);
}

void TstSpinknoppen::pasteAndCut_data() {
    QTest::addColumn<bool>("bewerkbaar");
    QTest::addColumn<bool>("alleenLezen");
    QTest::addColumn<int>("toets");
    QTest::addColumn<int>("mods");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<QString>("klembord");
    const int ctrl = Qt::ControlModifier;
    const int shift = Qt::ShiftModifier;
    const int v = Qt::Key_V;
    const int x = Qt::Key_X;
    const int ins = Qt::Key_Insert;
    const int del = Qt::Key_Delete;
    QTest::newRow("Ctrl+V") << true << false << v << ctrl << "34"
                            << "34";
    QTest::newRow("Shift+Insert") << true << false << ins << shift << "34"
                                  << "34";
    QTest::newRow("Ctrl+X") << true << false << x << ctrl << ""
                            << "12";
    QTest::newRow("Shift+Delete") << true << false << del << shift << ""
                                  << "12";
    QTest::newRow("editor off, Ctrl+V") << false << false << v << ctrl << "12"
                                        << "34";
    QTest::newRow("editor off, Shift+Insert") << false << false << ins << shift << "12"
                                              << "34";
    QTest::newRow("editor off, Ctrl+X") << false << false << x << ctrl << "12"
                                        << "34";
    QTest::newRow("editor off, Shift+Delete") << false << false << del << shift << "12"
                                              << "34";
    QTest::newRow("read-only, Ctrl+V") << true << true << v << ctrl << "12"
                                       << "34";
    QTest::newRow("read-only, Ctrl+X") << true << true << x << ctrl << "12"
                                       << "34";
}

void TstSpinknoppen::pasteAndCut() {
    QFETCH(bool, bewerkbaar);
    QFETCH(bool, alleenLezen);
    QFETCH(int, toets);
    QFETCH(int, mods);
    QFETCH(QString, tekst);
    QFETCH(QString, klembord);
    platform::BeepRecorder piep;
    QGuiApplication::clipboard()->setText(QStringLiteral("34"));
    TSpinEdit edit;
    edit.setEditorEnabled(bewerkbaar);
    edit.setReadOnly(alleenLezen);
    edit.setText(QStringLiteral("12"));
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key(toets), Qt::KeyboardModifiers(mods));
    QCOMPARE(edit.text(), tekst);
    QCOMPARE(QGuiApplication::clipboard()->text(), klembord);
    QCOMPARE(piep.count(), 0); // refused quietly
}

void TstSpinknoppen::contextMenu_data() {
    QTest::addColumn<bool>("bewerkbaar");
    QTest::addColumn<bool>("alleenLezen");
    QTest::addColumn<bool>("uitNaBouwen"); // the editor is switched off with the menu open
    QTest::addColumn<bool>("aan");
    QTest::addColumn<QString>("naPlakken");
    QTest::addColumn<QString>("naKnippen");
    QTest::newRow("editable") << true << false << false << true << "34"
                              << "";
    QTest::newRow("editor off") << false << false << false << false << "12"
                                << "12";
    QTest::newRow("read-only") << true << true << false << false << "12"
                               << "12";
    QTest::newRow("switched off while open") << true << false << true << true << "12"
                                             << "12";
}

void TstSpinknoppen::contextMenu() {
    QFETCH(bool, bewerkbaar);
    QFETCH(bool, alleenLezen);
    QFETCH(bool, uitNaBouwen);
    QFETCH(bool, aan);
    QFETCH(QString, naPlakken);
    QFETCH(QString, naKnippen);
    QGuiApplication::clipboard()->setText(QStringLiteral("34"));
    TSpinEdit edit;
    edit.setEditorEnabled(bewerkbaar);
    edit.setReadOnly(alleenLezen);
    const auto actie = [](QMenu* menu, const QString& tekst) -> QAction* {
        for (QAction* a : menu->actions())
            if (a->text().startsWith(tekst))
                return a;
        return nullptr;
    };
    for (const bool plakken : {true, false}) {
        edit.setText(QStringLiteral("12"));
        edit.selectAll();
        edit.setEditorEnabled(bewerkbaar);
        std::unique_ptr<QMenu> menu(edit.createSpinContextMenu());
        QAction* a =
            actie(menu.get(), plakken ? QStringLiteral("&Plakken") : QStringLiteral("K&nippen"));
        QVERIFY(a);
        QCOMPARE(a->isEnabled(), aan);
        QVERIFY(actie(menu.get(), QStringLiteral("&Kopi"))->isEnabled());
        if (uitNaBouwen)
            edit.setEditorEnabled(false);
        a->trigger();
        QCOMPARE(edit.text(), plakken ? naPlakken : naKnippen);
    }
}

void TstSpinknoppen::inputMethodCommit() {
    platform::BeepRecorder piep;
    TSpinEdit edit;
    edit.setText(QString());
    const auto stuur = [&](const QString& tekst) {
        QInputMethodEvent e;
        e.setCommitString(tekst);
        QApplication::sendEvent(&edit, &e);
    };
    stuur(QStringLiteral("5"));
    QCOMPARE(edit.text(), QStringLiteral("5"));
    stuur(QStringLiteral("6a"));
    QCOMPARE(edit.text(), QStringLiteral("5"));
    QCOMPARE(piep.count(), 1);
    edit.setEditorEnabled(false);
    stuur(QStringLiteral("7"));
    QCOMPARE(edit.text(), QStringLiteral("5"));
    QCOMPARE(piep.count(), 2);
}

void TstSpinknoppen::autoSelectOnEntering_data() {
    QTest::addColumn<bool>("autoSelect");
    QTest::addColumn<int>("reden");
    QTest::addColumn<QString>("selectie");
    QTest::newRow("Tab") << true << int(Qt::TabFocusReason) << "123";
    QTest::newRow("set by the program") << true << int(Qt::OtherFocusReason) << "123";
    QTest::newRow("AutoSelect off") << false << int(Qt::TabFocusReason) << "";
    QTest::newRow("back from a menu") << true << int(Qt::PopupFocusReason) << "";
}

void TstSpinknoppen::autoSelectOnEntering() {
    QFETCH(bool, autoSelect);
    QFETCH(int, reden);
    QFETCH(QString, selectie);
    Venster v;
    auto* edit = v.met(new TSpinEdit);
    edit->setAutoSelect(autoSelect);
    edit->setText(QStringLiteral("123"));
    v.ander->setFocus();
    edit->setFocus(Qt::FocusReason(reden));
    QVERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), selectie);
}

// ---- Layout -------------------------------------------------------------------------

void TstSpinknoppen::editLayout_data() {
    QTest::addColumn<QSize>("grootte");
    QTest::addColumn<QRect>("knopVerwacht");
    // The button stands in the client area inside the two-pixel 3-D edge,
    // five pixels short of the edit's outer width and height.
    QTest::newRow("as in the modules") << QSize(48, 22) << QRect(30, 2, 15, 17);
    QTest::newRow("wider and higher") << QSize(90, 31) << QRect(72, 2, 15, 26);
}

void TstSpinknoppen::editLayout() {
    QFETCH(QSize, grootte);
    QFETCH(QRect, knopVerwacht);
    QWidget paneel;
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(11);
    paneel.setFont(f);
    for (const bool komma : {false, true}) {
        auto edit = maakEdit(komma);
        edit->setParent(&paneel);
        edit->setGeometry(QRect(QPoint(8, 8), grootte));
        edit->show();
        paneel.show();
        QCOMPARE(edit->size(), grootte);
        const QRect knop = edit->button()->geometry();
        QCOMPARE(knop, knopVerwacht);
        // A long number scrolls; the caret never goes under the button.
        QTest::keyClicks(edit.get(), QStringLiteral("1234567890123456"));
        edit->grab(); // the edit scrolls its text when it paints
        // The reported rectangle reaches a few pixels either side of the caret.
        const int caret = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        QVERIFY2(caret < knop.left() - 1, qPrintable(QStringLiteral("caret at %1").arg(caret)));
    }
}

void TstSpinknoppen::minimumHeight() {
    QWidget paneel;
    QFont klein(QStringLiteral("Sans Serif"));
    klein.setPixelSize(11);
    paneel.setFont(klein);
    TSpinEdit edit(&paneel);
    edit.resize(48, 22);
    paneel.show();
    const int minimum = edit.minimumEditHeight();
    QVERIFY(minimum <= 22);
    const int ruimteOnder = edit.height() - edit.button()->geometry().bottom();
    edit.resize(48, 10);
    QCOMPARE(edit.height(), minimum);
    QCOMPARE(edit.height() - edit.button()->geometry().bottom(), ruimteOnder);

    // A bigger font raises the minimum, and the edit with it.
    QFont groot = klein;
    groot.setPixelSize(30);
    edit.setFont(groot);
    QVERIFY(edit.minimumEditHeight() > QFontMetrics(groot).height());
    edit.resize(48, 22);
    QCOMPARE(edit.height(), edit.minimumEditHeight());
    QVERIFY(edit.button()->geometry().bottom() < edit.height());
}

QTEST_MAIN(TstSpinknoppen)
#include "tst_spinknoppen.moc"
