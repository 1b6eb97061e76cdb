#pragma once

#include <QFont>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTimer>

// Answers the program's real message boxes as a user does: once a box is shown and has taken
// the keyboard focus, it notes what the box showed and clicks the queued button (OK, or Yes
// when nothing is queued). A box that never takes the focus is noted as such and answered all
// the same, so a test never hangs on it.
class MessageBoxDriver : public QObject
{
    Q_OBJECT
public:
    struct Seen
    {
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;    // their texts, left to right
        bool tookFocus = false; // the box was active with the focus on one of its controls
        Qt::TextFormat format = Qt::AutoText;
        QFont labelFont;            // the font the text is drawn in
        QList<QFont> buttonFonts;   // and the buttons' texts
        QRect frame;                // the box on the screen, frame included
        QRect available;            // the screen's room for windows
        bool buttonsInside = false; // every button lies wholly inside the box
        bool textWhole = false;     // the label has room for all of its text
    };

    explicit MessageBoxDriver(int focusTimeoutMs = 5000);

    void queueAnswer(QMessageBox::StandardButton button) { m_answers.append(button); }
    const QList<Seen>& seen() const { return m_seen; }
    QStringList texts() const;

private:
    void poll();

    QTimer m_poll;
    int m_focusTimeoutMs;
    int m_waitedMs = 0;
    QMessageBox* m_current = nullptr;
    QList<QMessageBox::StandardButton> m_answers;
    QList<Seen> m_seen;
};
