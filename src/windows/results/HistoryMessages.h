#pragma once

#include <QCoreApplication>

class HistoryStore;
class QWidget;

// What the user hears of the results history's troubles, in one place.
class HistoryMessages
{
    Q_DECLARE_TR_FUNCTIONS(HistoryMessages)

public:
    enum class Action
    {
        Record,
        Read,
        Delete
    };

    // After a call to the store: first every damaged file it moved aside since last asked (each
    // told once), then, when the call failed (`done` false), why the action was refused.
    static void afterCall(QWidget* parent, HistoryStore& store, Action action, bool done);
};
