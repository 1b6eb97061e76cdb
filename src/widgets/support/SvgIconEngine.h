#pragma once

#include <QIconEngine>
#include <QList>
#include <QSize>
#include <QString>

// An icon drawn from one of the program's SVG pictures at the size and ratio asked for. Qt's
// own SVG icons load an icon-engine plugin and read the file when the icon is made; this one
// reads nothing until the icon is first drawn.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(const QString& resource);

    // The sizes the icon says it has where a list is asked for (a window's icon for the window
    // system); it is drawn well at any other size too.
    static QList<QSize> offeredSizes();
    // Starts drawing the icon for a use at that logical size and ratio on another thread (see
    // SvgArt::prepare).
    static void prepare(const QString& resource, QSize logicalSize, qreal devicePixelRatio);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine* clone() const override;

private:
    QString m_resource;
};
