#pragma once

#include <QLabel>

// A label that acts as a link: a member of the Mail array (object name "Mail", dynamic
// property "index"), hand cursor, colour and underline set by its window. Tab reaches it, and
// Enter or Space presses it like the mouse, so the keyboard can follow it too.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString& text, int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    QColor color() const;
    void setColor(const QColor& color);
    bool underlined() const { return font().underline(); }
    void setUnderlined(bool underline);

    // A press and release, as from the keyboard or assistive technology.
    void activate();

signals:
    void MouseMove(int index);
    void MouseDown(int index, Qt::MouseButton button);
    void MouseUp(int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
};
