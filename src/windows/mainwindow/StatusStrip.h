#pragma once

#include <QStatusBar>

// The window's bottom strip: no texts, set off from the groups above by an etched line.
class StatusStrip : public QStatusBar
{
    Q_OBJECT
public:
    explicit StatusStrip(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
