#include "mainwindow/LinkLabel.h"

#include "mainwindow/Artwork.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const QString& text, int index, QWidget* parent)
    : QLabel(text, parent), m_index(index)
{
    setObjectName(QStringLiteral("Mail"));
    setProperty("index", index);
    setMouseTracking(true);
    setCursor(Artwork::handCursor());
    setUnderlined(true);
    setColor(QColor(0, 0, 255));
}

QColor LinkLabel::color() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setColor(const QColor& color)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, color);
    setPalette(pal);
}

void LinkLabel::setUnderlined(bool underline)
{
    QFont f = font();
    f.setUnderline(underline);
    setFont(f);
}

// The events stop here: the host's surroundings treat moves that reach them as "left the link".
void LinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit MouseMove(m_index);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit MouseDown(m_index, event->button());
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit MouseUp(m_index);
}
