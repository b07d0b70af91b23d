// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Kwintelvlak-ontwikkelaars
// The spin controls behind the module settings: a speed button that repeats
// its click while held, a pair of them as an up/down button, and the integer
// and decimal edits that carry such a pair at their right edge.
//
// Qt spelling of the controls' properties: a property Foo is read by foo()
// and written by setFoo() (Value -> value()/setValue(), MinValue ->
// minValue()/setMinValue(), ...); the events OnUpClick and OnDownClick are
// the signals upClick() and downClick().
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QPointer>

class QMenu;

namespace platform {
class Timer;
}

// The built-in glyph bitmaps by name: "SpinUp" and "SpinDown", 9 x 6 pixels,
// a black triangle on olive (128, 128, 0). They are 8-bit indexed images
// whose colour table is the standard 16-colour palette, so every pixel is one
// of 16 colours as in a 4-bit bitmap. Any other name gives a null image.
QImage spinGlyph(const QString& naam);

// A flat 3-D speed button that never takes the focus. The click comes when
// the left button is released over it; while the mouse is held and moved off
// the button, the button is drawn up. With RepeatEnabled, holding it down
// clicks again after 400 ms and then every 100 ms while it is drawn down.
class TTimerSpeedButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TTimerSpeedButton(QWidget* parent = nullptr);
    ~TTimerSpeedButton() override;

    bool repeatEnabled() const { return m_repeatEnabled; }
    void setRepeatEnabled(bool on) { m_repeatEnabled = on; }
    bool showFocusFrame() const { return m_showFocusFrame; }
    void setShowFocusFrame(bool on);

    // The picture: numGlyphs images side by side (up, disabled, clicked,
    // down). The colour of the bottom-left pixel is drawn transparent.
    const QImage& glyph() const { return m_glyph; }
    void setGlyph(const QImage& glyph);
    int numGlyphs() const { return m_numGlyphs; }
    void setNumGlyphs(int n); // 1..4

    // Created on the first press that repeats; null before.
    platform::Timer* repeatClock() const { return m_repeatClock; }

    // One click without pressing: raises clicked() and nothing else (no
    // pressed(), no drawing down). The keyboard and the repeats click this way.
    void performClick();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void herhaalTik();
    QImage glyphVoorStand() const;

    bool m_repeatEnabled = false;
    bool m_showFocusFrame = false;
    bool m_muisVast = false; // the left button went down on us and is still held
    QImage m_glyph;
    int m_numGlyphs = 1;
    platform::Timer* m_repeatClock = nullptr;
};

// Two speed buttons one above the other. Each click of the upper button
// (repeats included) raises upClick(), each of the lower one downClick().
// With TabStop it takes the focus, and Up, Down and Space click its buttons.
class TSpinButton : public QWidget {
    Q_OBJECT
public:
    explicit TSpinButton(QWidget* parent = nullptr);

    TTimerSpeedButton* upperButton() const { return m_upper; }
    TTimerSpeedButton* lowerButton() const { return m_lower; }
    // The button that Space clicks and that shows the focus frame.
    TTimerSpeedButton* activeButton() const { return m_active; }
    void selectButton(TTimerSpeedButton* b);

    // The control that takes the focus when a button is pressed. Cleared
    // automatically when that control is destroyed.
    QWidget* focusControl() const { return m_focusControl; }
    void setFocusControl(QWidget* w) { m_focusControl = w; }

    // TabStop: whether the spin button itself takes the keyboard focus.
    bool tabStop() const;
    void setTabStop(bool on);

    // A null image restores the built-in "SpinUp"/"SpinDown" with one glyph.
    QImage upGlyph() const;
    void setUpGlyph(const QImage& glyph);
    QImage downGlyph() const;
    void setDownGlyph(const QImage& glyph);
    int upNumGlyphs() const;
    void setUpNumGlyphs(int n);
    int downNumGlyphs() const;
    void setDownNumGlyphs(int n);

    QSize sizeHint() const override { return {20, 25}; }

signals:
    void upClick();
    void downClick();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void knopNeer(TTimerSpeedButton* b);
    void legKnoppenNeer();

    TTimerSpeedButton* m_upper;
    TTimerSpeedButton* m_lower;
    TTimerSpeedButton* m_active;
    QPointer<QWidget> m_focusControl;
};

// A one-line edit holding an integer Value, with a spin button inside at its
// right edge. The value is not stored: it is read from and written to the
// text through the virtual readValue()/writeValue(), so that descendants can
// show it differently.
class TSpinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int value() const { return readValue(); }
    void setValue(int v) { writeValue(v); }

    // Equal limits mean no limits.
    int minValue() const { return m_minValue; }
    void setMinValue(int v) { m_minValue = v; }
    int maxValue() const { return m_maxValue; }
    void setMaxValue(int v) { m_maxValue = v; }
    int increment() const { return m_increment; }
    void setIncrement(int v) { m_increment = v; }
    // When false the text cannot be typed, pasted, cut or deleted; only stepped.
    bool editorEnabled() const { return m_editorEnabled; }
    void setEditorEnabled(bool on) { m_editorEnabled = on; }
    // Select all text when the edit gains the focus (not when the left
    // button goes down on the text itself).
    bool autoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }

    TSpinButton* button() const { return m_button; }

    int clampValue(int v) const;

    // The smallest height the edit takes for its fonts.
    int minimumEditHeight() const;

    // The edit's context menu (Dutch, built anew each time; the caller owns
    // it). Paste, cut, delete, undo and redo are disabled while the text may
    // not be edited, and refuse to act if triggered anyway.
    QMenu* createSpinContextMenu();

    // The overridable operations, in this order.
    virtual int readValue() const;
    virtual void writeValue(int v);
    virtual bool acceptsChar(QChar c) const;
    virtual void stepUp();
    virtual void stepDown();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    bool magWijzigen() const { return m_editorEnabled && !isReadOnly(); }
    bool linkerKnopOpTekst() const;
    void stap(int richting);
    void plakken();
    void knippen();
    void pasMinimumAan();
    void plaatsKnop();

    int m_minValue = 0;
    int m_maxValue = 0;
    int m_increment = 1;
    bool m_editorEnabled = true;
    bool m_autoSelect = true;
    TSpinButton* m_button;
};

// A spin edit whose integer Value is in tenths and is shown with one digit
// after a comma: 25 is "2,5", -5 is "-0,5", 123 is "12,3".
class TCommaSpinEdit : public TSpinEdit {
    Q_OBJECT
public:
    explicit TCommaSpinEdit(QWidget* parent = nullptr);

    int readValue() const override;
    void writeValue(int v) override;
};
