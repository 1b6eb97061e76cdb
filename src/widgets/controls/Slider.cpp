#include "widgets/controls/Slider.h"

#include "widgets/controls/ControlsAccessibility.h"
#include "widgets/controls/LineElement.h"
#include "widgets/controls/Panel3d.h"
#include "widgets/controls/SliderThumb.h"
#include "widgets/support/ButtonState.h"
#include "widgets/support/HandCursor.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/SystemColor.h"
#include "widgets/support/Twips.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cstdlib>

namespace {

// Design geometry of the parts, in twips.
constexpr double ThumbTop = 60;
constexpr double ThumbHeight = 150;
constexpr double TrackLeft = 15;
constexpr double TrackTop = 120;
constexpr double TrackHeight = 45;
constexpr double FillY = 15;
constexpr double FillX2 = -15;
constexpr double DesignWidth = 4140;
constexpr double DrawnHeight = 225;

// The three thumb pictures.
const QString DisabledThumb = QStringLiteral(":/slider/thumb-disabled.svg");
const QString NormalThumb = QStringLiteral(":/slider/thumb.svg");
const QString FocusedThumb = QStringLiteral(":/slider/thumb-focused.svg");

const QColor Orange(255, 128, 0);

// One notch of a common mouse wheel; finer wheels send parts of it.
constexpr int WheelNotch = 120;

} // namespace

void Slider::prepare(qreal devicePixelRatio)
{
    const QSize thumb = Twips::size(SliderGeometry::ThumbWidth, ThumbHeight);
    SvgArt::prepare(NormalThumb, thumb, devicePixelRatio);
    SvgArt::prepare(DisabledThumb, thumb, devicePixelRatio);
}

Slider::Slider(QWidget* parent) : QWidget(parent)
{
    ControlsAccessibility::install();
    setFocusPolicy(Qt::StrongFocus);

    m_track = new Panel3d(this);
    m_track->setObjectName(QStringLiteral("Panel3d1"));
    m_fill = new LineElement(m_track);
    m_fill->setObjectName(QStringLiteral("Line1"));
    // Created last so it lies above the track.
    m_thumb = new SliderThumb(this);
    m_thumb->setObjectName(QStringLiteral("Picture1"));

    connect(m_track, &Panel3d::MouseDown, this,
            [this](int button, float x, float) { dragStep(button, double(x) - thumbLeft()); });
    connect(m_thumb, &SliderThumb::MouseMove, this, &Slider::dragStep);

    resize(Twips::size(DesignWidth, DrawnHeight));
    syncWidth();
    placeParts();
    setLook(Look::Normal);
    applyCursor();
}

Slider::~Slider() = default;

QSize Slider::sizeHint() const
{
    return Twips::size(DesignWidth, DrawnHeight);
}

void Slider::setMax(int newMax)
{
    m_geometry.setMax(newMax);
}

void Slider::setMin(int newMin)
{
    m_geometry.setMin(newMin);
}

void Slider::setValue(int newVal)
{
    moveTo(newVal);
}

void Slider::setShownFactor(int factor)
{
    m_shownFactor = factor > 0 ? factor : 1;
}

void Slider::stepTo(qint64 newValue)
{
    moveTo(newValue);
    emit Scroll(value());
}

void Slider::moveTo(qint64 newValue)
{
    const int previous = value();
    syncWidth();
    m_geometry.setValue(newValue);
    placeParts();
    announceValue(previous);
}

void Slider::dragStep(int buttons, double pointerX)
{
    const int previous = value();
    syncWidth();
    if (!m_geometry.dragStep(buttons, pointerX))
        return;
    placeParts();
    // Drawn at once so the thumb keeps up with the pointer.
    repaint();
    announceValue(previous);
    emit Scroll(value());
}

void Slider::syncWidth()
{
    m_geometry.setWidth(Twips::fromPx(width()));
}

void Slider::placeParts()
{
    m_thumb->setGeometry(
        Twips::rect(m_geometry.thumbLeft(), ThumbTop, SliderGeometry::ThumbWidth, ThumbHeight));
    m_fill->setPoints(m_geometry.fillX1(), FillY, FillX2, FillY);
}

void Slider::announceValue(int previous)
{
    if (previous == value())
        return;
    // As the host shows it, like the value assistive technology reads.
    QAccessibleValueChangeEvent event(this, static_cast<qint64>(value()) * m_shownFactor);
    QAccessible::updateAccessibility(&event);
}

bool Slider::enable() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void Slider::setEnable(bool en)
{
    setEnabled(en);
    if (!en)
        setLook(Look::Disabled);
    else
        setLook(hasFocus() ? Look::Focused : Look::Normal);
}

void Slider::UserControl_GotFocus()
{
    setLook(isEnabled() ? Look::Focused : Look::Disabled);
}

void Slider::UserControl_LostFocus()
{
    setLook(isEnabled() ? Look::Normal : Look::Disabled);
}

void Slider::setLook(Look look)
{
    m_look = look;
    switch (look) {
    case Look::Normal:
        m_thumb->setPicture(NormalThumb);
        m_fill->setColor(SystemColor::system(3, palette()));
        break;
    case Look::Focused:
        m_thumb->setPicture(FocusedThumb);
        m_fill->setColor(Orange);
        break;
    case Look::Disabled:
        m_thumb->setPicture(DisabledThumb);
        m_fill->setColor(SystemColor::system(15, palette()));
        break;
    }
}

QColor Slider::fillLineColor() const
{
    return m_fill->color();
}

void Slider::setCursorCode(int newCur)
{
    m_cursor = newCur;
    applyCursor();
}

void Slider::applyCursor()
{
    switch (m_cursor) {
    case HandCursorCode:
        setCursor(HandCursor::make(devicePixelRatioF()));
        return;
    case 1:
        setCursor(Qt::ArrowCursor);
        return;
    case 2:
        setCursor(Qt::CrossCursor);
        return;
    case 3:
        setCursor(Qt::IBeamCursor);
        return;
    case 5:
    case 15:
        setCursor(Qt::SizeAllCursor);
        return;
    case 6:
        setCursor(Qt::SizeBDiagCursor);
        return;
    case 7:
        setCursor(Qt::SizeVerCursor);
        return;
    case 8:
        setCursor(Qt::SizeFDiagCursor);
        return;
    case 9:
        setCursor(Qt::SizeHorCursor);
        return;
    case 10:
        setCursor(Qt::UpArrowCursor);
        return;
    case 11:
        setCursor(Qt::WaitCursor);
        return;
    case 12:
        setCursor(Qt::ForbiddenCursor);
        return;
    case 13:
        setCursor(Qt::BusyCursor);
        return;
    case 14:
        setCursor(Qt::WhatsThisCursor);
        return;
    default:
        unsetCursor();
        return;
    }
}

void Slider::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The track follows the width; the thumb stays until the value is next placed.
    m_track->setGeometry(
        Twips::rect(TrackLeft, TrackTop, Twips::fromPx(width()) - TrackLeft, TrackHeight));
}

void Slider::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        stepTo(static_cast<qint64>(value()) - 1);
        return;
    case Qt::Key_Right:
        stepTo(static_cast<qint64>(value()) + 1);
        return;
    case Qt::Key_Home:
        stepTo(min());
        return;
    case Qt::Key_End:
        stepTo(max());
        return;
    case Qt::Key_PageUp:
        stepTo(value() + m_geometry.pageStep());
        return;
    case Qt::Key_PageDown:
        stepTo(value() - m_geometry.pageStep());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Slider::wheelEvent(QWheelEvent* event)
{
    // Up and right count up; Qt gives a turn to the right as a negative x. A wheel the
    // platform reports inverted still steps the way it turns.
    const QPoint delta = event->angleDelta();
    int turn = std::abs(delta.y()) >= std::abs(delta.x()) ? delta.y() : -delta.x();
    if (event->inverted())
        turn = -turn;
    if (turn == 0) {
        event->ignore();
        return;
    }
    event->accept();
    // A turn back starts its own count.
    if ((turn > 0) != (m_wheelTurn > 0))
        m_wheelTurn = 0;
    m_wheelTurn += turn;
    while (std::abs(m_wheelTurn) >= WheelNotch) {
        const int step = m_wheelTurn > 0 ? 1 : -1;
        m_wheelTurn -= step * WheelNotch;
        stepTo(static_cast<qint64>(value()) + step);
    }
}

void Slider::mousePressEvent(QMouseEvent* event)
{
    // A press on the background outside the thumb and the track jumps the thumb once.
    dragStep(ButtonState::fromQt(event->buttons() | event->button()),
             Twips::fromPx(event->position().x()) - thumbLeft());
}

void Slider::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    UserControl_GotFocus();
}

void Slider::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    UserControl_LostFocus();
}

void Slider::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        setLook(!isEnabled() ? Look::Disabled : hasFocus() ? Look::Focused : Look::Normal);
        break;
    case QEvent::PaletteChange:
        setLook(m_look);
        break;
    default:
        break;
    }
}

void Slider::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The hand is drawn for the screen the control is shown on.
    applyCursor();
}
