#include "widgets/controls/LinkLabel.h"

#include "widgets/controls/ControlsAccessibility.h"
#include "widgets/support/Artwork.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

LinkLabel::LinkLabel(const QString& text, int index, QWidget* parent)
    : QLabel(text, parent), m_index(index)
{
    setObjectName(QStringLiteral("Mail"));
    setProperty("index", index);
    ControlsAccessibility::install();
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
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

void LinkLabel::activate()
{
    emit MouseDown(m_index, Qt::LeftButton);
    emit MouseUp(m_index);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        activate();
        break;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = contentsRect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}
