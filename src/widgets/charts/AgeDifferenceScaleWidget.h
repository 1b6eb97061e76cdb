#pragma once

#include "core/assessment/FixedPoint.h"

#include <QWidget>

// Shows the age-difference scale; reached by Tab and read by a screen reader through its text
// equivalent.
class AgeDifferenceScaleWidget : public QWidget
{
    Q_OBJECT
public:
    explicit AgeDifferenceScaleWidget(QWidget* parent = nullptr);

    void setDifference(FixedPoint difference);
    FixedPoint difference() const { return m_difference; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FixedPoint m_difference;
};
