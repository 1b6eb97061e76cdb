#pragma once

#include <QMargins>
#include <QObject>

class QRect;
class QSize;
class QPoint;
class QWidget;

// Centres a top-level window on the primary screen with its frame. The window manager gives
// the frame its margins only once the window is shown, so the window is centred at once with
// the margins known then (none) and once more when the margins arrive.
class CentredWindow : public QObject
{
    Q_OBJECT
public:
    static void centre(QWidget* window);

    // Where a window's frame goes (the position move() takes) so that the frame, of the
    // client size plus the margins, is centred in the available area.
    static QPoint framePosition(const QSize& client, const QMargins& frame, const QRect& available);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CentredWindow(QWidget* window);
    // Centres with the margins the window's frame has now; false when there is no screen.
    bool place();

    QWidget* m_window;
    QMargins m_margins; // those the window was last centred with
};
