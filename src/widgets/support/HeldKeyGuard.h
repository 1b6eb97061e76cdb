#pragma once

#include <QObject>
#include <QPointer>

class QWindow;

// A key held down acts once. The repeats of a held key stay in the window where it went down:
// a window that appears while the key is still down (a question box, About over the link that
// opened it) is not answered by them. Controls that act on a press ignore repeats themselves.
class HeldKeyGuard : public QObject
{
    Q_OBJECT
public:
    // For the whole application, once.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    int m_key = 0;              // the key that went down last
    QPointer<QWindow> m_window; // where it went down
    bool m_released = false;
    quint64 m_releasedAt = 0; // the display's time of its release
};
