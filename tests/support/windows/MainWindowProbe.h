#pragma once

#include <QString>
#include <QStringList>

struct ProfileInputs;
class Form1;
class QAction;
class QComboBox;
class QLabel;
class QRadioButton;
class QWidget;
class Slider;
class StatementCheckBox;

// Reaches the controls of a real main window by their names, and drives them as a user does.
class MainWindowProbe
{
public:
    explicit MainWindowProbe(const Form1& form) : m_form(form) {}

    Slider* slider(int n) const;           // Slider2 to Slider7
    QRadioButton* option(int index) const; // 0 male, 1 female
    StatementCheckBox* check(int index) const;
    QComboBox* rating() const;                     // Combo1
    QComboBox* profileBox() const;                 // Combo2
    QAction* profileButton(const char* key) const; // "save" or "del"
    QLabel* label(const char* name) const;
    QString text(const char* label) const;

    // The profile box's entries, and choosing one as from the drop-down list.
    QStringList entries() const;
    void pick(const QString& name) const;

    // The value labels of the six sliders (the two pressures share one): age, mass, pressures,
    // breath-holding, balance. labelsFor: what they read for the inputs' slider positions.
    QStringList valueLabels() const;
    static QStringList labelsFor(const ProfileInputs& inputs);

    // Arrow keys pressed on the slider until it holds value: a user's steps.
    static void stepTo(Slider* slider, int value);
    // Types text as key presses, Cyrillic too (QTest::keyClicks knows only Latin-1).
    static void type(QWidget* widget, const QString& text);

private:
    template <typename T> T* child(const QString& name) const;
    template <typename T> T* member(const char* array, int index) const;

    const Form1& m_form;
};
