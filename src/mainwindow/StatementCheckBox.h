#pragma once

#include <QCheckBox>

// A statement row. Code may set the greyed state (a stored profile can carry it); a click
// only ever marks or clears, so the user never steps into the greyed state.
class StatementCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    StatementCheckBox(const QString& text, int index, QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};
