#pragma once

#include <QPushButton>

// A command button that, once made flat, still reads as a button: a flat face inside a
// one-pixel frame, pressed in while held, with the focus mark when it has the focus.
class FlatButton : public QPushButton
{
    Q_OBJECT
public:
    explicit FlatButton(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Gives a command button the flat look; its tab stop (focus policy) stays as it was.
void MakeFlat(QAbstractButton* button);
