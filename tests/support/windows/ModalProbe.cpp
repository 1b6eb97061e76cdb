#include "ModalProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

void onNextModal(std::function<void(QWidget*)> inspect, int timeoutMs)
{
    auto* poll = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, clock, inspect, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < timeoutMs)
            return;
        poll->stop();
        poll->deleteLater();
        delete clock;
        inspect(modal);
        if (modal)
            modal->close();
    });
    poll->start();
}
