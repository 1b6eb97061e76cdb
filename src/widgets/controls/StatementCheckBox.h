#pragma once

#include <QCheckBox>

// A statement row. Code may set the greyed state (a stored profile can carry it); a click
// only ever marks or clears, so the user never steps into the greyed state.
class StatementCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    StatementCheckBox(const QString& text, int index, QWidget* parent = nullptr);

    // The statement's value as the record counts it: 0 not marked, 1 marked, 2 greyed.
    int value() const;
    // Any other value than 1 or 2 clears the box.
    void setValue(int value);

protected:
    void nextCheckState() override;
};
