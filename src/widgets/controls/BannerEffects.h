#pragma once

#include <QList>
#include <QObject>

#include <functional>

class BannerPicture;
class LinkLabel;
class QPixmap;
class QTimer;
class QWidget;

// What a window with the banner and links does on its own: a band of light sweeps over the
// banner every 100 ms, and the links return to their plain look once the pointer leaves them
// (for another link, or for the window's bare background).
class BannerEffects : public QObject
{
    Q_OBJECT
public:
    using Picture = std::function<const QPixmap&()>;
    // lit and plain: the pictures the strips come from, asked for on every tick (so the lit one
    // can be drawn when first needed); position: where the next tick lights the banner, in
    // twips, kept by the caller.
    BannerEffects(QWidget* window, BannerPicture* banner, Picture lit, Picture plain,
                  float* position);

    void addLink(LinkLabel* link);
    // Any move over this widget counts as the background (moves over the window itself count
    // only where no control is).
    void watchBackground(QWidget* widget);

    // One step of the sweep; the timer runs it, tests call it directly.
    void sweepTick();
    // Starts the timer (object name "Timer1").
    void start();
    // Every link in its plain look.
    void resetLinks();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void linkHovered(int index);

    QWidget* m_window;
    BannerPicture* m_banner;
    Picture m_lit;
    Picture m_plain;
    float* m_position;
    QTimer* m_timer;
    QList<LinkLabel*> m_links;
    QList<QObject*> m_backgrounds;
};
