#include "widgets/controls/GroupFrame.h"

#include <QPainter>

GroupFrame::GroupFrame(const QString& caption, QWidget* parent)
    : QWidget(parent), m_caption(caption)
{
    setAccessibleName(caption);
}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QFontMetrics fm = fontMetrics();
    // The border runs through the middle of the caption line.
    const int top = fm.height() / 2;
    const QRect box = rect().adjusted(0, top, -2, -2);
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(box);
    p.setPen(palette().color(QPalette::Light));
    p.drawRect(box.translated(1, 1));

    const int textX = 8;
    const QRect textRect(textX - 2, 0, fm.horizontalAdvance(m_caption) + 4, fm.height());
    p.fillRect(textRect, palette().color(QPalette::Window));
    p.setPen(captionColor());
    p.drawText(textRect, Qt::AlignCenter, m_caption);
}
