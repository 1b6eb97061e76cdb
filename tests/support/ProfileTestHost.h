#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;
class QToolBar;
class Slider;

// A stand-in for the main window's inputs: real controls at their places in the fixed control
// order 0..66 (plain objects for the rest), the profile toolbar with its box and buttons, and
// a log of the sliders' label refreshes and of sex switches.
class ProfileTestHost : public QWidget
{
    Q_OBJECT
public:
    ProfileTestHost();

    // Types text as key presses, Cyrillic too (QTest::keyClicks knows only Latin-1).
    static void type(QWidget* widget, const QString& text);

    QList<QObject*> controlOrder() const { return m_order; }
    // Slider2_Scroll … Slider7_Scroll with each slider's value, in that order.
    void refreshSliders();

    Slider* slider(int n) const; // Slider2 … Slider7
    QRadioButton* option(int index) const { return m_options[index]; }
    QCheckBox* check(int index) const { return m_checks.at(index); }
    QComboBox* rating() const { return m_rating; }
    QComboBox* combo2() const { return m_combo2; }
    QToolBar* toolbar() const { return m_toolbar; }
    QAction* saveAction() const { return m_saveAction; }
    QAction* delAction() const { return m_delAction; }

    // The inputs as one comparable text: "S2=20 S3=65 … O1=False O0=True K=0000… R=1".
    QString inputs() const;

    QStringList scrollLog;
    int sexSwitches = 0;

private:
    QList<QObject*> m_order;
    QList<Slider*> m_sliders;
    QRadioButton* m_options[2] = {};
    QButtonGroup* m_sex = nullptr;
    QList<QCheckBox*> m_checks;
    QComboBox* m_rating = nullptr;
    QComboBox* m_combo2 = nullptr;
    QToolBar* m_toolbar = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_delAction = nullptr;
};
