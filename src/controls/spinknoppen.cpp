// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
#include "controls/spinknoppen.h"

#include "platform/platform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>
#include <climits>
#include <cmath>
#include <qdrawutil.h>

// ---- Glyphs -----------------------------------------------------------------

namespace {

// The standard 16-colour palette in its usual order; the glyphs use index 0
// (black) and index 3 (olive).
const QList<QRgb>& zestienKleuren() {
    static const QList<QRgb> kleuren = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(128, 128, 128),
        qRgb(192, 192, 192), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    return kleuren;
}

constexpr int zwart = 0;
constexpr int olijf = 3;

// The upward triangle: rows 1..4 (counted from 0) hold 1, 3, 5 and 7 black
// pixels around the middle column; the top and bottom rows are background.
QImage maakPijl(bool omhoog) {
    constexpr int breedte = 9;
    constexpr int hoogte = 6;
    QImage beeld(breedte, hoogte, QImage::Format_Indexed8);
    beeld.setColorTable(zestienKleuren());
    beeld.fill(olijf);
    for (int rij = 1; rij <= 4; ++rij) {
        const int half = rij - 1;
        const int y = omhoog ? rij : hoogte - 1 - rij;
        for (int x = breedte / 2 - half; x <= breedte / 2 + half; ++x)
            beeld.setPixel(x, y, zwart);
    }
    return beeld;
}

} // namespace

QImage spinGlyph(const QString& naam) {
    // Painted once; every button shares the same implicitly shared data.
    static const QImage omhoog = maakPijl(true);
    static const QImage omlaag = maakPijl(false);
    if (naam == QLatin1String("SpinUp"))
        return omhoog;
    if (naam == QLatin1String("SpinDown"))
        return omlaag;
    return {};
}

// ---- TTimerSpeedButton --------------------------------------------------------

namespace {
constexpr int eersteHerhaling = 400; // ms from the press to the first repeat
constexpr int volgendeHerhaling = 100;
} // namespace

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : QAbstractButton(parent) {
    // A speed button never takes the focus; the control it belongs to does.
    setFocusPolicy(Qt::NoFocus);
}

TTimerSpeedButton::~TTimerSpeedButton() = default;

void TTimerSpeedButton::setShowFocusFrame(bool on) {
    if (on == m_showFocusFrame)
        return;
    m_showFocusFrame = on;
    update();
}

void TTimerSpeedButton::setGlyph(const QImage& glyph) {
    m_glyph = glyph;
    update();
}

void TTimerSpeedButton::setNumGlyphs(int n) {
    n = std::clamp(n, 1, 4);
    if (n == m_numGlyphs)
        return;
    m_numGlyphs = n;
    update();
}

void TTimerSpeedButton::performClick() {
    emit clicked(isChecked());
}

QSize TTimerSpeedButton::sizeHint() const {
    return {23, 22};
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* e) {
    QAbstractButton::mousePressEvent(e);
    if (e->button() != Qt::LeftButton || !isDown())
        return;
    m_muisVast = true;
    if (!m_repeatEnabled)
        return;
    if (!m_repeatClock) {
        m_repeatClock = new platform::Timer(this);
        // The repeats keep their 400 ms and 100 ms to the millisecond.
        m_repeatClock->setPrecise(true);
        connect(m_repeatClock, &platform::Timer::timeout, this, &TTimerSpeedButton::herhaalTik);
    }
    m_repeatClock->setInterval(eersteHerhaling);
    m_repeatClock->start();
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton)
        m_muisVast = false;
    // The click, if the release is over the button, comes from here.
    QAbstractButton::mouseReleaseEvent(e);
    if (m_repeatClock)
        m_repeatClock->stop();
}

void TTimerSpeedButton::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange && !isEnabled()) {
        m_muisVast = false;
        if (m_repeatClock)
            m_repeatClock->stop();
    }
    QAbstractButton::changeEvent(e);
}

void TTimerSpeedButton::herhaalTik() {
    if (m_repeatClock->interval() != volgendeHerhaling)
        m_repeatClock->setInterval(volgendeHerhaling);
    // Drawn up means the mouse has wandered off the button: the repeats wait.
    if (!isDown() || !m_muisVast)
        return;
    try {
        performClick();
    } catch (...) {
        m_repeatClock->stop();
        throw;
    }
}

// The picture for the current state, with the transparent colour cleared.
// Without its own disabled image, a disabled button shows the shape embossed.
QImage TTimerSpeedButton::glyphVoorStand() const {
    if (m_glyph.isNull())
        return {};
    const int breedte = m_glyph.width() / m_numGlyphs;
    if (breedte <= 0)
        return {};
    int index = 0;
    if (!isEnabled())
        index = 1;
    else if (isDown())
        index = 2;
    const bool relief = index == 1 && m_numGlyphs < 2;
    if (index >= m_numGlyphs)
        index = 0;

    const QRgb transparant = m_glyph.pixel(0, m_glyph.height() - 1) | 0xff000000u;
    QImage beeld = m_glyph.copy(index * breedte, 0, breedte, m_glyph.height())
                       .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < beeld.height(); ++y) {
        auto* rij = reinterpret_cast<QRgb*>(beeld.scanLine(y));
        for (int x = 0; x < beeld.width(); ++x)
            if ((rij[x] | 0xff000000u) == transparant)
                rij[x] = 0;
    }
    if (!relief)
        return beeld;

    QImage reliefBeeld(beeld.width() + 1, beeld.height() + 1, QImage::Format_ARGB32);
    reliefBeeld.fill(Qt::transparent);
    const QRgb licht = palette().color(QPalette::Light).rgb();
    const QRgb donker = palette().color(QPalette::Dark).rgb();
    for (int y = 0; y < beeld.height(); ++y)
        for (int x = 0; x < beeld.width(); ++x)
            if (qAlpha(beeld.pixel(x, y)))
                reliefBeeld.setPixel(x + 1, y + 1, licht);
    for (int y = 0; y < beeld.height(); ++y)
        for (int x = 0; x < beeld.width(); ++x)
            if (qAlpha(beeld.pixel(x, y)))
                reliefBeeld.setPixel(x, y, donker);
    return reliefBeeld;
}

void TTimerSpeedButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool neer = isDown() || isChecked();
    const QBrush vlak = palette().brush(QPalette::Button);
    qDrawWinButton(&p, rect(), palette(), neer, &vlak);

    const QImage beeld = glyphVoorStand();
    if (!beeld.isNull()) {
        QPoint plek((width() - beeld.width() + 1) / 2, (height() - beeld.height() + 1) / 2);
        if (neer)
            plek += QPoint(1, 1);
        p.drawImage(plek, beeld);
    }

    if (m_showFocusFrame) {
        // A dotted rectangle drawn by inverting every other pixel, 3 pixels
        // in from each edge; it moves with the face when the button is down.
        QRect r(3, 3, width() - 6, height() - 6);
        if (neer)
            r.translate(1, 1);
        if (r.width() <= 0 || r.height() <= 0)
            return;
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        const auto stip = [&](int x, int y) {
            if ((x + y) % 2 == 0)
                p.fillRect(QRect(x, y, 1, 1), Qt::white);
        };
        for (int x = r.left(); x <= r.right(); ++x) {
            stip(x, r.top());
            if (r.bottom() != r.top())
                stip(x, r.bottom());
        }
        for (int y = r.top() + 1; y < r.bottom(); ++y) {
            stip(r.left(), y);
            if (r.right() != r.left())
                stip(r.right(), y);
        }
    }
}

// ---- TSpinButton ----------------------------------------------------------------

namespace {
constexpr int minimaleKnopBreedte = 15;

bool kanFocus(const QWidget* w) {
    return w->isEnabled() && w->isVisible();
}
} // namespace

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent), m_upper(new TTimerSpeedButton(this)), m_lower(new TTimerSpeedButton(this)),
      m_active(m_upper) {
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
    setMinimumWidth(minimaleKnopBreedte);

    for (TTimerSpeedButton* knop : {m_upper, m_lower}) {
        knop->setRepeatEnabled(true);
        connect(knop, &QAbstractButton::pressed, this, [this, knop] { knopNeer(knop); });
    }
    connect(m_upper, &QAbstractButton::clicked, this, &TSpinButton::upClick);
    connect(m_lower, &QAbstractButton::clicked, this, &TSpinButton::downClick);

    setUpGlyph({});
    setDownGlyph({});
    resize(20, 25);
    legKnoppenNeer();
}

bool TSpinButton::tabStop() const {
    return focusPolicy() & Qt::TabFocus;
}

void TSpinButton::setTabStop(bool on) {
    setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

QImage TSpinButton::upGlyph() const {
    return m_upper->glyph();
}
QImage TSpinButton::downGlyph() const {
    return m_lower->glyph();
}
int TSpinButton::upNumGlyphs() const {
    return m_upper->numGlyphs();
}
int TSpinButton::downNumGlyphs() const {
    return m_lower->numGlyphs();
}
void TSpinButton::setUpNumGlyphs(int n) {
    m_upper->setNumGlyphs(n);
}
void TSpinButton::setDownNumGlyphs(int n) {
    m_lower->setNumGlyphs(n);
}

void TSpinButton::setUpGlyph(const QImage& glyph) {
    if (!glyph.isNull()) {
        m_upper->setGlyph(glyph);
        return;
    }
    m_upper->setGlyph(spinGlyph(QStringLiteral("SpinUp")));
    m_upper->setNumGlyphs(1);
}

void TSpinButton::setDownGlyph(const QImage& glyph) {
    if (!glyph.isNull()) {
        m_lower->setGlyph(glyph);
        return;
    }
    m_lower->setGlyph(spinGlyph(QStringLiteral("SpinDown")));
    m_lower->setNumGlyphs(1);
}

void TSpinButton::selectButton(TTimerSpeedButton* b) {
    if (b != m_upper && b != m_lower)
        return;
    if (!tabStop() || !kanFocus(this) || b == m_active)
        return;
    m_active->setShowFocusFrame(false);
    m_active = b;
    if (hasFocus()) {
        m_active->setShowFocusFrame(true);
        update();
    }
}

void TSpinButton::knopNeer(TTimerSpeedButton* b) {
    selectButton(b);
    QWidget* doel = m_focusControl;
    if (doel && (doel->focusPolicy() & Qt::TabFocus) && kanFocus(doel) && !doel->hasFocus())
        doel->setFocus(Qt::MouseFocusReason);
    else if (tabStop() && !hasFocus() && kanFocus(this))
        setFocus(Qt::MouseFocusReason);
}

// The two buttons share the full width and overlap by one pixel, so that
// their facing edges make a single line.
void TSpinButton::legKnoppenNeer() {
    const int w = std::max(minimaleKnopBreedte, width());
    const int h = height();
    m_upper->setGeometry(0, 0, w, h / 2);
    m_lower->setGeometry(0, m_upper->height() - 1, w, h - m_upper->height() + 1);
}

void TSpinButton::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (width() < minimaleKnopBreedte) {
        resize(minimaleKnopBreedte, height());
        return;
    }
    legKnoppenNeer();
}

void TSpinButton::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Up:
        selectButton(m_upper);
        m_upper->performClick();
        break;
    case Qt::Key_Down:
        selectButton(m_lower);
        m_lower->performClick();
        break;
    case Qt::Key_Space:
        m_active->performClick();
        break;
    default:
        QWidget::keyPressEvent(e);
        return;
    }
    e->accept();
}

void TSpinButton::focusInEvent(QFocusEvent* e) {
    m_active->setShowFocusFrame(true);
    QWidget::focusInEvent(e);
}

void TSpinButton::focusOutEvent(QFocusEvent* e) {
    m_active->setShowFocusFrame(false);
    QWidget::focusOutEvent(e);
}

// ---- TSpinEdit --------------------------------------------------------------------

namespace {

constexpr QChar tekenBackspace(8);
constexpr QChar tekenEnter(13);

// The characters a key press types, as the filter judges them. Backspace and
// Enter count as their control characters; Delete is a key, not a character;
// Ctrl combinations are commands, which on other systems arrive as control
// characters that the filter lets through.
QString getypteTekens(const QKeyEvent* e) {
    switch (e->key()) {
    case Qt::Key_Backspace:
        return QString(tekenBackspace);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(tekenEnter);
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ControlModifier | Qt::ShiftModifier))
        return {};
    return e->text();
}

bool isPlakToets(const QKeyEvent* e) {
    return e->matches(QKeySequence::Paste) ||
           (e->key() == Qt::Key_Insert && e->modifiers() == Qt::ShiftModifier);
}

bool isKnipToets(const QKeyEvent* e) {
    return e->matches(QKeySequence::Cut) ||
           (e->key() == Qt::Key_Delete && e->modifiers() == Qt::ShiftModifier);
}

// Keys that change the text without typing a character.
bool isWisToets(const QKeyEvent* e) {
    return e->key() == Qt::Key_Delete || e->matches(QKeySequence::Delete) ||
           e->matches(QKeySequence::DeleteStartOfWord) ||
           e->matches(QKeySequence::DeleteEndOfWord) || e->matches(QKeySequence::DeleteEndOfLine) ||
           e->matches(QKeySequence::DeleteCompleteLine) || e->matches(QKeySequence::Undo) ||
           e->matches(QKeySequence::Redo);
}

constexpr int spinKnopBreedte = 15;
constexpr int spinKnopHoogte = 17;
constexpr int randHoogte = 1; // the system's border height

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : QLineEdit(parent), m_button(new TSpinButton(this)) {
    m_button->resize(spinKnopBreedte, spinKnopHoogte);
    m_button->setCursor(Qt::ArrowCursor);
    m_button->setFocusControl(this);
    // Through the virtual functions, so that a descendant's stepping runs.
    connect(m_button, &TSpinButton::upClick, this, [this] { stepUp(); });
    connect(m_button, &TSpinButton::downClick, this, [this] { stepDown(); });
    setText(QStringLiteral("0"));
    pasMinimumAan();
    plaatsKnop();
}

int TSpinEdit::clampValue(int v) const {
    if (m_maxValue == m_minValue)
        return v;
    if (v < m_minValue)
        return m_minValue;
    if (v > m_maxValue)
        return m_maxValue;
    return v;
}

int TSpinEdit::readValue() const {
    bool ok = false;
    const int v = text().toInt(&ok);
    return ok ? v : m_minValue;
}

void TSpinEdit::writeValue(int v) {
    setText(QString::number(clampValue(v)));
}

bool TSpinEdit::acceptsChar(QChar c) const {
    const char16_t code = c.unicode();
    const QString scheiding = QLocale().decimalPoint();
    bool goed = c == u'+' || c == u'-' || (c >= u'0' && c <= u'9') ||
                (scheiding.size() == 1 && c == scheiding.at(0)) || (code < 32 && c != tekenEnter);
    if (!m_editorEnabled && (code >= 32 || c == tekenBackspace))
        goed = false;
    return goed;
}

void TSpinEdit::stepUp() {
    stap(+1);
}

void TSpinEdit::stepDown() {
    stap(-1);
}

void TSpinEdit::stap(int richting) {
    if (isReadOnly()) {
        platform::systemBeep();
        return;
    }
    // Stepping past the ends of the integer range stops at them.
    const qint64 nieuw = qint64(value()) + qint64(richting) * m_increment;
    setValue(int(std::clamp<qint64>(nieuw, INT_MIN, INT_MAX)));
}

void TSpinEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
        if (e->key() == Qt::Key_Up)
            stepUp();
        else
            stepDown();
        QLineEdit::keyPressEvent(e);
        // Handled here: the arrows must not go on to scroll the board.
        e->accept();
        return;
    }
    const bool plak = isPlakToets(e);
    if (plak || isKnipToets(e)) {
        if (plak)
            plakken();
        else
            knippen();
        e->accept();
        return;
    }
    if (!m_editorEnabled && isWisToets(e)) {
        platform::systemBeep();
        e->accept();
        return;
    }
    const QString tekens = getypteTekens(e);
    for (const QChar c : tekens) {
        if (!acceptsChar(c)) {
            platform::systemBeep();
            e->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

void TSpinEdit::inputMethodEvent(QInputMethodEvent* e) {
    const QString tekens = e->commitString();
    const bool geweigerd =
        std::any_of(tekens.begin(), tekens.end(), [this](QChar c) { return !acceptsChar(c); });
    if (!geweigerd) {
        QLineEdit::inputMethodEvent(e);
        return;
    }
    // Keep the composition going but drop the committed text.
    platform::systemBeep();
    QInputMethodEvent zonder(e->preeditString(), e->attributes());
    QLineEdit::inputMethodEvent(&zonder);
    e->accept();
}

void TSpinEdit::plakken() {
    if (magWijzigen())
        paste();
}

void TSpinEdit::knippen() {
    if (magWijzigen())
        cut();
}

// The edit's own menu in the program's language. Every command that changes
// the text goes through a check of its own, so even a menu built while
// editing was allowed cannot paste or cut once it no longer is.
QMenu* TSpinEdit::createSpinContextMenu() {
    auto* menu = new QMenu(this);
    const bool bewerkbaar = magWijzigen();
    const bool selectie = hasSelectedText();
    const QMimeData* klembord = QGuiApplication::clipboard()->mimeData();
    const bool plakbaar = klembord && klembord->hasText() && !klembord->text().isEmpty();

    const auto voegToe = [&](const QString& tekst, QKeySequence::StandardKey toets, bool aan,
                             auto&& doe) {
        QString titel = tekst;
        if (toets != QKeySequence::UnknownKey)
            titel += QLatin1Char('\t') + QKeySequence(toets).toString(QKeySequence::NativeText);
        QAction* a = menu->addAction(titel);
        a->setEnabled(aan);
        connect(a, &QAction::triggered, this, doe);
        return a;
    };
    const auto alsBewerkbaar = [this](void (QLineEdit::*doe)()) {
        return [this, doe] {
            if (magWijzigen())
                (this->*doe)();
        };
    };

    voegToe(QStringLiteral("&Ongedaan maken"), QKeySequence::Undo, bewerkbaar && isUndoAvailable(),
            alsBewerkbaar(&QLineEdit::undo));
    voegToe(QStringLiteral("Opnie&uw"), QKeySequence::Redo, bewerkbaar && isRedoAvailable(),
            alsBewerkbaar(&QLineEdit::redo));
    menu->addSeparator();
    voegToe(QStringLiteral("K&nippen"), QKeySequence::Cut, bewerkbaar && selectie,
            alsBewerkbaar(&QLineEdit::cut));
    voegToe(QStringLiteral("&Kopi\u00EBren"), QKeySequence::Copy, selectie, [this] { copy(); });
    voegToe(QStringLiteral("&Plakken"), QKeySequence::Paste, bewerkbaar && plakbaar,
            alsBewerkbaar(&QLineEdit::paste));
    voegToe(QStringLiteral("&Verwijderen"), QKeySequence::UnknownKey, bewerkbaar && selectie,
            alsBewerkbaar(&QLineEdit::del));
    menu->addSeparator();
    voegToe(QStringLiteral("&Alles selecteren"), QKeySequence::SelectAll,
            !text().isEmpty() && selectedText() != text(), [this] { selectAll(); });
    return menu;
}

void TSpinEdit::contextMenuEvent(QContextMenuEvent* e) {
    QMenu* menu = createSpinContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
}

void TSpinEdit::mouseReleaseEvent(QMouseEvent* e) {
    // A middle click pastes the selection on some systems.
    if (e->button() == Qt::MiddleButton && !magWijzigen()) {
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TSpinEdit::dragEnterEvent(QDragEnterEvent* e) {
    if (!magWijzigen()) {
        e->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(e);
}

void TSpinEdit::dragMoveEvent(QDragMoveEvent* e) {
    if (!magWijzigen()) {
        e->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(e);
}

void TSpinEdit::dropEvent(QDropEvent* e) {
    if (!magWijzigen()) {
        e->ignore();
        return;
    }
    QLineEdit::dropEvent(e);
}

// Whether the left button is down on the edit's own text area: then the
// click places the caret and selecting everything would be in its way.
bool TSpinEdit::linkerKnopOpTekst() const {
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        return false;
    const QPoint p = mapFromGlobal(platform::cursorPos());
    return rect().contains(p) && !m_button->geometry().contains(p);
}

void TSpinEdit::focusInEvent(QFocusEvent* e) {
    const Qt::FocusReason reden = e->reason();
    // Coming back from a menu or another window is not entering the control.
    if (reden == Qt::PopupFocusReason || reden == Qt::ActiveWindowFocusReason) {
        QLineEdit::focusInEvent(e);
        return;
    }
    if (m_autoSelect && !linkerKnopOpTekst())
        selectAll();
    if (!m_autoSelect && (reden == Qt::TabFocusReason || reden == Qt::BacktabFocusReason ||
                          reden == Qt::ShortcutFocusReason)) {
        // QLineEdit selects everything on these reasons by itself.
        QFocusEvent zonderSelectie(e->type(), Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&zonderSelectie);
        return;
    }
    QLineEdit::focusInEvent(e);
}

void TSpinEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason)
        return;
    // A typed value outside the range is corrected on leaving, not while typing.
    const int v = value();
    const int begrensd = clampValue(v);
    if (begrensd != v)
        setValue(begrensd);
}

int TSpinEdit::minimumEditHeight() const {
    const int systeem = QFontMetrics(QApplication::font()).height();
    const int eigen = fontMetrics().height();
    return eigen + std::min(systeem, eigen) / 4 + 4 * randHoogte + 2;
}

void TSpinEdit::pasMinimumAan() {
    setMinimumHeight(minimumEditHeight());
}

// With its sunken 3-D frame the edit's client area starts two pixels in;
// the button stands at the top of the client area, five pixels short of the
// edit's outer width and height (15 x 17 at (30, 2) in a 48 x 22 edit). The
// frame is the classic two-pixel edge whatever the style draws, so the
// button lands on the same pixels everywhere. The text stops two pixels
// before the button.
void TSpinEdit::plaatsKnop() {
    const int w = m_button->width();
    if (hasFrame()) {
        constexpr int rand = 2;
        m_button->setGeometry(width() - w - 5 + rand, rand, w, std::max(0, height() - 5));
    } else {
        m_button->setGeometry(width() - w, 1, w, std::max(0, height() - 3));
    }
    setTextMargins(0, 0, w + 2, 0);
}

void TSpinEdit::resizeEvent(QResizeEvent* e) {
    QLineEdit::resizeEvent(e);
    const int minimum = minimumEditHeight();
    if (height() < minimum) {
        resize(width(), minimum);
        return;
    }
    plaatsKnop();
}

void TSpinEdit::changeEvent(QEvent* e) {
    QLineEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange) {
        pasMinimumAan();
        plaatsKnop();
    }
}

// ---- TCommaSpinEdit ---------------------------------------------------------------

TCommaSpinEdit::TCommaSpinEdit(QWidget* parent) : TSpinEdit(parent) {
    setText(QStringLiteral("0,0"));
}

int TCommaSpinEdit::readValue() const {
    // The decimal separator of the program's locale; digit grouping is not a
    // number here ("2.5" is no number when the separator is a comma).
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double getal = locale.toDouble(text(), &ok);
    if (!ok || !std::isfinite(getal))
        return minValue();
    const double tienden = std::trunc(getal * 10.0);
    return int(std::clamp(tienden, double(INT_MIN), double(INT_MAX)));
}

// Tenths with one digit after the comma. The sign stands before the digits
// and the comma before the last digit, so -5 is "-0,5" and 123 is "12,3".
void TCommaSpinEdit::writeValue(int v) {
    const qint64 waarde = clampValue(v);
    QString cijfers = QString::number(waarde < 0 ? -waarde : waarde).rightJustified(2, u'0');
    cijfers.insert(cijfers.size() - 1, u',');
    setText(waarde < 0 ? QLatin1Char('-') + cijfers : cijfers);
}
