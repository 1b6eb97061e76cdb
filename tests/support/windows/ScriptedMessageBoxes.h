#pragma once

#include "widgets/support/MessageBoxes.h"

#include <QList>
#include <QString>

// Answers message boxes without a display and records what was asked, in order.
// Install it for the lifetime of a test; it removes itself when destroyed.
class ScriptedMessageBoxes final : public MessageBoxes
{
public:
    enum class Kind
    {
        Refusal,
        Confirmation,
        Question
    };
    struct Shown
    {
        Kind kind;
        QString text;
    };

    ScriptedMessageBoxes();
    ~ScriptedMessageBoxes() override;

    // Answers for the next questions, in order; when none is queued the answer is Yes.
    void queueAnswer(bool yes) { m_answers.append(yes); }

    void refusal(QWidget* parent, const QString& text) override;
    void confirmation(QWidget* parent, const QString& text) override;
    bool question(QWidget* parent, const QString& text) override;

    const QList<Shown>& shown() const { return m_shown; }
    void clear()
    {
        m_shown.clear();
        m_answers.clear();
    }

private:
    QList<bool> m_answers;
    QList<Shown> m_shown;
};
