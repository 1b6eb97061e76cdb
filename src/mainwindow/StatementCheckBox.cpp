#include "mainwindow/StatementCheckBox.h"

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
