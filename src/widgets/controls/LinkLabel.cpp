#include "widgets/controls/LinkLabel.h"

#include "widgets/controls/ControlsAccessibility.h"
#include "widgets/support/HandCursor.h"
#include "widgets/support/HeldKeyGuard.h"
#include "widgets/support/SystemColor.h"

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
    // What the link opens must not take the repeats of the key that pressed it.
    HeldKeyGuard::install();
    setMouseTracking(true);
    // Clicks and keys are the link's own. A label that takes the focus would otherwise lay its
    // text out in a rich-text document, for moving between links it does not have. (This also
    // takes the focus away, so it comes first.)
    setTextInteractionFlags(Qt::NoTextInteraction);
    setFocusPolicy(Qt::TabFocus);
    setCursor(HandCursor::make(devicePixelRatioF()));
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setLook(Look::Plain);
}

void LinkLabel::setLook(Look look)
{
    m_look = look;
    QColor colour;
    switch (look) {
    case Look::Plain:
        colour = QColor(0, 0, 255);
        break;
    case Look::Hovered:
        colour = QColor(255, 0, 0);
        break;
    case Look::Pressed:
        colour = SystemColor::system(13, palette());
        break;
    }
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
}

QColor LinkLabel::color() const
{
    return palette().color(QPalette::WindowText);
}

// The events stop here: the host's surroundings treat moves that reach them as "left the link".
void LinkLabel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    setLook(Look::Hovered);
    emit hovered(m_index);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    press();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit released(m_index);
}

void LinkLabel::press()
{
    setLook(Look::Pressed);
    // Shown before whatever the press opens.
    repaint();
    emit activated(m_index);
}

void LinkLabel::activate()
{
    press();
    emit released(m_index);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        // A held key repeats; one press is one activation.
        if (!event->isAutoRepeat())
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

void LinkLabel::showEvent(QShowEvent* event)
{
    QLabel::showEvent(event);
    // The hand is drawn for the screen the link is shown on.
    setCursor(HandCursor::make(devicePixelRatioF()));
}
