#include "controls/Slider.h"

// Interim body so hosts can build against the interface; replaced by the real control.

Slider::Slider(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

Slider::~Slider() = default;

void Slider::setMax(int newMax)
{
    m_max = newMax;
}

void Slider::setMin(int newMin)
{
    m_min = newMin;
}

void Slider::setValue(int newVal)
{
    m_value = newVal > m_max ? m_max : newVal;
    if (m_value < m_min)
        m_value = m_min;
}

bool Slider::enable() const
{
    return isEnabled();
}

void Slider::setEnable(bool en)
{
    setEnabled(en);
}

void Slider::setCursorCode(int newCur)
{
    m_cursor = newCur;
}

void Slider::UserControl_GotFocus() {}

void Slider::UserControl_LostFocus() {}
