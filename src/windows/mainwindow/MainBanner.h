#pragma once

#include <QObject>
#include <QPixmap>

class BannerEffects;
class BannerPicture;
class LinkLabel;
class QWidget;

// The main window's top band: the banner with its sweep, and the link "О программе" on white
// to its right, set off from the groups below by an etched rule.
class MainBanner : public QObject
{
    Q_OBJECT
public:
    explicit MainBanner(QWidget* window);
    // Starts drawing the band's pictures for a window at that pixel ratio on other threads,
    // so that they are ready when the window is built.
    static void prepare(qreal devicePixelRatio);

    // The pictures the sweeps take their strips from: lit, drawn when first needed (the first
    // sweep step), not while the window is built; and plain, as loaded.
    const QPixmap& litBanner() const;
    const QPixmap& plainBanner() const { return m_plain; }
    // Keeps the banner as loaded, for the sweeps to restore from; then starts the sweep.
    void start();

    void sweepTick();
    float sweepPosition() const { return m_sweepX; }
    LinkLabel* aboutLink() const { return m_aboutLink; }

signals:
    void aboutActivated();

private:
    BannerPicture* m_banner = nullptr;
    LinkLabel* m_aboutLink = nullptr;
    BannerEffects* m_effects = nullptr;
    mutable QPixmap m_lit;
    mutable bool m_litDrawn = false;
    QPixmap m_plain;
    float m_sweepX = 0; // twips
};
