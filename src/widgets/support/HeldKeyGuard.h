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

    int m_key = 0;
    QPointer<QWindow> m_window; // where the held key went down
};
