#pragma once

#include <QWidget>

class Panel3d;

// Edits one whole number between Min and Max: a sunken groove with a fill line and a
// thumb picture. Arrow keys step by one; dragging the thumb or pressing the groove moves
// it. Every user step raises Scroll; setting Value by code never does.
class Slider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Max READ max WRITE setMax)
    Q_PROPERTY(int Min READ min WRITE setMin)
    Q_PROPERTY(int Value READ value WRITE setValue)
    Q_PROPERTY(bool Enable READ enable WRITE setEnable)
    Q_PROPERTY(int Cursor READ cursorCode WRITE setCursorCode)
public:
    explicit Slider(QWidget* parent = nullptr);
    ~Slider() override;

    int max() const { return m_max; }
    void setMax(int newMax);
    int min() const { return m_min; }
    void setMin(int newMin);
    int value() const { return m_value; }
    void setValue(int newVal);
    bool enable() const;
    void setEnable(bool en);
    int cursorCode() const { return m_cursor; }
    void setCursorCode(int newCur);

    // Focused and unfocused looks; the control runs them itself, hosts may call them too.
    void UserControl_GotFocus();
    void UserControl_LostFocus();

signals:
    void Scroll(int Value);

private:
    int m_max = 0;
    int m_min = 0;
    int m_value = 0;
    int m_cursor = 99;
};
