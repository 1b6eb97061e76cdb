#include "ScriptedMessageBoxes.h"

ScriptedMessageBoxes::ScriptedMessageBoxes()
{
    MessageBoxes::setInstance(this);
}

ScriptedMessageBoxes::~ScriptedMessageBoxes()
{
    MessageBoxes::setInstance(nullptr);
}

void ScriptedMessageBoxes::refusal(QWidget*, const QString& text)
{
    m_shown.append({Kind::Refusal, text});
}

void ScriptedMessageBoxes::confirmation(QWidget*, const QString& text)
{
    m_shown.append({Kind::Confirmation, text});
}

bool ScriptedMessageBoxes::question(QWidget*, const QString& text)
{
    m_shown.append({Kind::Question, text});
    return m_answers.isEmpty() ? true : m_answers.takeFirst();
}
