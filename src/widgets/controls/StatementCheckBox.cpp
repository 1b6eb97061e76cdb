#include "widgets/controls/StatementCheckBox.h"

StatementCheckBox::StatementCheckBox(const QString& text, int index, QWidget* parent)
    : QCheckBox(text, parent)
{
    setObjectName(QStringLiteral("Check1"));
    setProperty("index", index);
}

void StatementCheckBox::nextCheckState()
{
    const bool mark = checkState() != Qt::Checked;
    setTristate(false);
    setCheckState(mark ? Qt::Checked : Qt::Unchecked);
}

int StatementCheckBox::value() const
{
    switch (checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

void StatementCheckBox::setValue(int value)
{
    if (value == 2) {
        setCheckState(Qt::PartiallyChecked);
        return;
    }
    setTristate(false);
    setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
}
