#pragma once

#include <QProxyStyle>

// The program's style: the platform's own, with two changes.
// - A tool bar's extension arrow is made only when it is first drawn. Every tool bar asks for
//   that arrow in its constructor, and reading it loads every image-format plugin (several
//   milliseconds and most of a megabyte); the tool bars here are laid out to fit, so the arrow
//   is almost never shown.
// - Once the keyboard is in use in a window, the control with the focus carries one clear
//   outline in the highlight colour: push and tool buttons, tabs, item views' current items
//   and the frames of text boxes and tables (the platform style marks some of these with a
//   faint tint only, others not at all).
class AppStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Wraps a new instance of the style called baseStyleName (the platform default when empty
    // or unknown).
    explicit AppStyle(const QString& baseStyleName = QString());

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

    // The focus outline's width in logical pixels.
    static constexpr int FocusWidth = 2;
    // True where the option is for a control that has the focus while the keyboard is in use.
    static bool showsFocus(const QStyleOption& option);
    // The focus outline just inside a rectangle.
    static void drawFocusOutline(QPainter* painter, const QRect& rect, const QStyleOption& option);
};
