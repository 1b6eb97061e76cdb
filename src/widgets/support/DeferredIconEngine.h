#pragma once

#include <QIcon>
#include <QIconEngine>

#include <functional>
#include <memory>

// An icon that is made only when it is first asked for a picture or a size. Some icons that
// widgets set up in their constructors are rarely shown (a tool bar's extension arrow), and
// reading them loads every image-format plugin; deferring keeps that off the start-up path.
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(std::function<QIcon()> make);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString iconName() override;
    bool isNull() override;
    QString key() const override;
    QIconEngine* clone() const override;

private:
    // Copies share one icon, made once.
    struct Shared
    {
        std::function<QIcon()> make;
        QIcon icon;
        bool made = false;
    };

    const QIcon& icon();

    std::shared_ptr<Shared> m_shared;
};
