#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

// For tests that open a modal window: once the next modal window shows, inspect runs on it
// and the window is closed, so the exec() that opened it returns. If no modal window shows
// within the timeout, inspect runs with nullptr.
void onNextModal(std::function<void(QWidget*)> inspect, int timeoutMs = 5000);
