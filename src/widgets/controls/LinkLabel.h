#pragma once

#include <QLabel>

// A label that acts as a link: a member of the Mail array (object name "Mail", dynamic
// property "index") with the hand cursor. It shows its own looks: blue, red while the pointer
// moves over it, the highlight colour once pressed. When it turns blue again is its window's
// rule (setLook). Tab reaches it, and Enter or Space presses it like the mouse, so the
// keyboard can follow it too; a held key presses it once.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    enum class Look
    {
        Plain,   // blue
        Hovered, // red
        Pressed  // the palette's highlight colour
    };

    LinkLabel(const QString& text, int index, QWidget* parent = nullptr);

    int index() const { return m_index; }
    Look look() const { return m_look; }
    void setLook(Look look);
    QColor color() const;
    // Always: a link is not told apart from text by its colour alone.
    bool underlined() const { return font().underline(); }

    // A press and release, as from the keyboard or assistive technology.
    void activate();

signals:
    // The pointer moved over the link, which shows itself hovered.
    void hovered(int index);
    // A mouse button went down on the link, or the keyboard or assistive technology pressed
    // it; it shows itself pressed (drawn before the signal goes out).
    void activated(int index);
    // The press is over.
    void released(int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void press();

    int m_index;
    Look m_look = Look::Plain;
};
