#pragma once

#include "core/platform/Prompter.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <functional>
#include <optional>

/// A prompt the program showed, as the user saw it.
struct Prompt {
    enum class Kind { Message, Question, Retry, Input };
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
    bool retry(const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> ask(const QString& prompt, const QString& title,
                               const QString& initial) override;

    /// Yes to a question, Retry to a Retry/Cancel box.
    void answerQuestion(bool yes) { m_answers.enqueue(yes); }
    void answerInput(const QString& text) { m_inputs.enqueue(text); }
    void answerCancel() { m_inputs.enqueue(std::nullopt); }
    /// What the user does meanwhile (another program takes or lets go of the database),
    /// one step for each box answered from now on, in order, before its answer is given; an
    /// empty step does nothing.
    void whileAnswering(std::function<void()> step) { m_steps.enqueue(std::move(step)); }

    /// The prompts shown since the last take(), oldest first; clears them.
    QList<Prompt> take();
    /// The texts of the prompts shown since the last take(); clears them.
    QStringList takeTexts();
    bool idle() const { return m_shown.isEmpty() && m_answers.isEmpty() && m_inputs.isEmpty(); }
    void clear();

private:
    QList<Prompt> m_shown;
    QQueue<bool> m_answers;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<std::function<void()>> m_steps;
    void stepWhileAnswering();
};
