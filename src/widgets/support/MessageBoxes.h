#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through here, titled "Kalder Vitalon", in the program's
// font, its text shown as plain text. Tests install their own implementation that answers
// without a display.
class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;

    // OK with the exclamation icon: a refused command.
    virtual void refusal(QWidget* parent, const QString& text) = 0;
    // OK with the information icon: a confirmation.
    virtual void confirmation(QWidget* parent, const QString& text) = 0;
    // Yes/No with the exclamation icon, Yes the default. Returns true for Yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;

    static MessageBoxes& instance();
    // Installs an implementation (not owned); nullptr restores the real message boxes.
    static void setInstance(MessageBoxes* boxes);

    // A name the user gave, as a message quotes it: one that is wider than NameWidth pixels in
    // the boxes' font loses its middle to an ellipsis, so that the box stays on any screen
    // with its buttons in view.
    static QString quotedName(const QString& name);
    static constexpr int NameWidth = 300;
};
