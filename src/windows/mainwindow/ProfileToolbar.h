#pragma once

#include <QObject>

class QAction;
class QComboBox;
class QToolBar;
class QWidget;

// The bottom strip's tool bar of profiles: the caption "Профили:", the editable profile box
// and the buttons that save and delete a profile (object names "save" and "del"), both off
// until the profile commands take them over.
class ProfileToolbar : public QObject
{
    Q_OBJECT
public:
    explicit ProfileToolbar(QWidget* window);
    // Starts drawing the buttons' icons for that pixel ratio on another thread.
    static void prepare(qreal devicePixelRatio);

    // The logical size of the icons in the bar.
    static constexpr int IconSize = 16;

    QToolBar* bar() const { return m_bar; }
    QComboBox* profileBox() const { return m_profileBox; }
    QAction* saveButton() const { return m_save; }
    QAction* deleteButton() const { return m_delete; }
    // The buttons as widgets, for the Tab chain.
    QWidget* saveWidget() const;
    QWidget* deleteWidget() const;

private:
    QToolBar* m_bar = nullptr;
    QComboBox* m_profileBox = nullptr;
    QAction* m_save = nullptr;
    QAction* m_delete = nullptr;
};
