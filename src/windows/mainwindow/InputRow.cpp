#include "windows/mainwindow/InputRow.h"

#include "widgets/controls/Slider.h"
#include "widgets/support/SvgArt.h"
#include "widgets/support/SvgIconEngine.h"
#include "windows/mainwindow/ReachableButton.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QToolBar>

namespace {

const QString StopwatchIcon = QStringLiteral(":/icons/stopwatch.svg");
// The size the button, a little larger, has room to show the icon at.
constexpr int StopwatchIconSize = 12;

} // namespace

void InputRow::prepare(qreal devicePixelRatio)
{
    SvgIconEngine::prepare(StopwatchIcon, QSize(StopwatchIconSize, StopwatchIconSize),
                           devicePixelRatio);
}

InputRow::InputRow(QWidget* parent, const InputRange& range)
    : QObject(parent), m_parent(parent), m_range(range)
{
}

QLabel* InputRow::makeLabel(QWidget* parent, const QString& name, const QString& text,
                            const QRect& geometry, Qt::Alignment align)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

QLabel* InputRow::addCaption(const QString& name, const QString& text, const QRect& geometry)
{
    m_caption = makeLabel(m_parent, name, text, geometry);
    return m_caption;
}

Slider* InputRow::addSlider(const QString& name, const QRect& geometry,
                            const QString& accessibleName)
{
    m_slider = new Slider(m_parent);
    m_slider->setObjectName(name);
    m_slider->setGeometry(geometry);
    m_slider->setAccessibleName(accessibleName);
    connect(m_slider, &Slider::Scroll, this, &InputRow::refresh);
    return m_slider;
}

QLabel* InputRow::addValueLabel(const QString& name, const QRect& geometry, ValueText text)
{
    showValueIn(makeLabel(m_parent, name, QString(), geometry), std::move(text));
    return m_valueLabel;
}

void InputRow::showValueIn(QLabel* label, ValueText text)
{
    m_valueLabel = label;
    m_text = std::move(text);
}

QAction* InputRow::addStopwatchButton(const QString& name, const QRect& geometry,
                                      StopwatchTarget target, const QString& accessibleName)
{
    m_stopwatchBar = new QToolBar(m_parent);
    m_stopwatchBar->setObjectName(name);
    m_stopwatchBar->setMovable(false);
    m_stopwatchBar->setFloatable(false);
    m_stopwatchBar->setIconSize(QSize(StopwatchIconSize, StopwatchIconSize));
    m_stopwatchBar->setContentsMargins(0, 0, 0, 0);
    m_stopwatchBar->setGeometry(geometry);
    m_stopwatch = m_stopwatchBar->addAction(SvgArt::icon(StopwatchIcon), QString());
    m_stopwatch->setObjectName(QStringLiteral("stopwatch"));
    m_stopwatch->setToolTip(tr("Замерить секундомером"));
    // One tool tip for both; a screen reader tells them apart by the test each one times.
    ReachableButton::make(m_stopwatchBar, m_stopwatch, accessibleName);
    connect(m_stopwatch, &QAction::triggered, this,
            [this, target] { emit stopwatchRequested(target); });
    return m_stopwatch;
}

QWidget* InputRow::stopwatchWidget() const
{
    return m_stopwatchBar ? m_stopwatchBar->widgetForAction(m_stopwatch) : nullptr;
}

void InputRow::setUp()
{
    m_slider->setMax(m_range.maximum);
    m_slider->setMin(m_range.minimum);
    m_slider->setValue(m_range.start);
    refresh();
}

void InputRow::setPosition(int position)
{
    m_slider->setValue(position);
    refresh();
}

int InputRow::position() const
{
    return m_slider->value();
}

int InputRow::value() const
{
    return m_range.value(position());
}

void InputRow::refresh()
{
    if (m_valueLabel && m_text)
        m_valueLabel->setText(m_text(value()));
}

void InputRow::setActive(bool active)
{
    m_slider->setEnable(active);
    if (m_caption)
        m_caption->setEnabled(active);
    if (m_valueLabel)
        m_valueLabel->setEnabled(active);
    if (m_stopwatch)
        m_stopwatch->setEnabled(active);
}
