#pragma once

#include "core/platform/Prompter.h"

#include <QList>
#include <QQueue>
#include <QString>

/// A prompt the program showed, as the user saw it.
struct Prompt {
    enum class Kind { Message, Question, Input };
    Kind kind;
    QString text;
    QString title;
    Prompter::Icon icon = Prompter::Icon::None;
    bool yesIsDefault = false;
};

/// Records every prompt and answers questions and input boxes from a script. A question
/// or input box with no answer scripted fails the running test.
class ScriptedPrompter : public Prompter {
public:
    void message(const QString& text, const QString& title, Icon icon) override;
    bool question(const QString& text, const QString& title, Icon icon, bool yesIsDefault) override;
    QString input(const QString& prompt, const QString& title, const QString& initial) override;

    void answerQuestion(bool yes) { m_answers.enqueue(yes); }
    void answerInput(const QString& text) { m_inputs.enqueue(text); }

    /// The prompts shown since the last take(), oldest first; clears them.
    QList<Prompt> take();
    /// The texts of the prompts shown since the last take(); clears them.
    QStringList takeTexts();
    bool idle() const { return m_shown.isEmpty() && m_answers.isEmpty() && m_inputs.isEmpty(); }
    void clear();

private:
    QList<Prompt> m_shown;
    QQueue<bool> m_answers;
    QQueue<QString> m_inputs;
};
