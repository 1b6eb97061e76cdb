#pragma once

#include <QIconEngine>
#include <QString>

// An icon drawn from one of the program's SVG pictures at the size and ratio asked for. Qt's
// own SVG icons load an icon-engine plugin and read the file when the icon is made; this one
// reads nothing until the icon is first drawn.
class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(const QString& resource);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QString key() const override;
    QIconEngine* clone() const override;

private:
    QString m_resource;
};
