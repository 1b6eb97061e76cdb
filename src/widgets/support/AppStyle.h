#pragma once

#include <QProxyStyle>

// The program's style: the platform's own, except that a tool bar's extension arrow is made
// only when it is first drawn. Every tool bar asks for that arrow in its constructor, and
// reading it loads every image-format plugin (several milliseconds and most of a megabyte);
// the tool bars here are laid out to fit, so the arrow is almost never shown.
class AppStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // Wraps a new instance of the style called baseStyleName (the platform default when empty
    // or unknown).
    explicit AppStyle(const QString& baseStyleName = QString());

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
