#pragma once

#include <QWidget>

// A framed group: an etched rectangle with its caption in dark blue over the top edge.
class GroupFrame : public QWidget
{
    Q_OBJECT
public:
    GroupFrame(const QString& caption, QWidget* parent = nullptr);

    QString caption() const { return m_caption; }
    static QColor captionColor() { return QColor(0, 0, 192); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
};
