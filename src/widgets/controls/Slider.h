#pragma once

#include "core/geometry/SliderGeometry.h"

#include <QColor>
#include <QWidget>

class LineElement;
class Panel3d;
class SliderThumb;

// Edits one whole number between Min and Max: a sunken groove with a fill line and a
// thumb picture. Left and Right step by one, Home and End go to Min and Max, Page Up and
// Page Down step by a tenth of the range, a wheel notch steps by one; dragging the thumb or
// pressing the groove moves it. Every user step raises Scroll; setting Value by code never
// does.
class Slider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(bool Enable READ enable WRITE setEnable)
    Q_PROPERTY(int Cursor READ cursorCode WRITE setCursorCode)
public:
    enum class Look
    {
        Normal,
        Focused,
        Disabled
    };
    Q_ENUM(Look)

    // Pointer code of the hand shown over the control (the initial code).
    static constexpr int HandCursorCode = 99;

    explicit Slider(QWidget* parent = nullptr);
    // Starts drawing the thumb pictures a window shows at once (normal and disabled) for that
    // pixel ratio on another thread.
    static void prepare(qreal devicePixelRatio);
    ~Slider() override;

    // Max and Min neither move the thumb nor bring Value back into range.
    int max() const { return m_geometry.max(); }
    void setMax(int newMax);
    int min() const { return m_geometry.min(); }
    void setMin(int newMin);
    // Clamped to the bounds (Min wins when Min > Max); places the thumb; no Scroll.
    int value() const { return m_geometry.value(); }
    void setValue(int newVal);
    // The control's own enabled flag.
    bool enable() const;
    void setEnable(bool en);
    // 0 default, 1 arrow, 2 cross, 3 I-beam, 11 hourglass, 12 no drop, 99 hand, ...
    int cursorCode() const { return m_cursor; }
    void setCursorCode(int newCur);

    // Focused and unfocused looks; the control runs them itself, hosts may call them too.
    void UserControl_GotFocus();
    void UserControl_LostFocus();

    // A step made by the user to a chosen value (assistive technology): clamped, placed,
    // and announced with Scroll like a key press.
    void stepTo(qint64 newValue);

    // The host shows the value multiplied by this (tens of mmHg as mmHg); assistive
    // technology reads and sets the value in the same unit. 1 unless set.
    int shownFactor() const { return m_shownFactor; }
    void setShownFactor(int factor);

    // Thumb position in twips (its Left in the control) and the current look.
    float thumbLeft() const { return m_geometry.thumbLeft(); }
    Look look() const { return m_look; }
    QColor fillLineColor() const;

    QSize sizeHint() const override;

signals:
    void Scroll(int Value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void moveTo(qint64 newValue);
    void dragStep(int buttons, double pointerX);
    void syncWidth();
    void placeParts();
    void setLook(Look look);
    void applyCursor();
    void announceValue(int previous);

    SliderGeometry m_geometry;
    int m_cursor = HandCursorCode;
    int m_shownFactor = 1;
    // Wheel turn not yet stepped, in eighths of a degree (a notch is 120).
    int m_wheelTurn = 0;
    Look m_look = Look::Normal;
    SliderThumb* m_thumb = nullptr;
    Panel3d* m_track = nullptr;
    LineElement* m_fill = nullptr;
};
