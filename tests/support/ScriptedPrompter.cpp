#include "support/ScriptedPrompter.h"

#include <QTest>

void ScriptedPrompter::message(const QString& text, const QString& title, Icon icon) {
    m_shown.append({Prompt::Kind::Message, text, title, icon, false});
}

bool ScriptedPrompter::question(const QString& text, const QString& title, Icon icon,
                                bool yesIsDefault) {
    m_shown.append({Prompt::Kind::Question, text, title, icon, yesIsDefault});
    stepWhileAnswering();
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__,
                     __LINE__);
        return false;
    }
    return m_answers.dequeue();
}

bool ScriptedPrompter::retry(const QString& text, const QString& title, Icon icon) {
    m_shown.append({Prompt::Kind::Retry, text, title, icon, true});
    stepWhileAnswering();
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected Retry/Cancel box: ") + text), __FILE__,
                     __LINE__);
        return false;
    }
    return m_answers.dequeue();
}

std::optional<QString> ScriptedPrompter::ask(const QString& prompt, const QString& title,
                                             const QString&) {
    m_shown.append({Prompt::Kind::Input, prompt, title, Icon::None, false});
    stepWhileAnswering();
    if (m_inputs.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected input box: ") + prompt), __FILE__,
                     __LINE__);
        return {};
    }
    return m_inputs.dequeue();
}

void ScriptedPrompter::stepWhileAnswering() {
    if (m_steps.isEmpty())
        return;
    if (const std::function<void()> step = m_steps.dequeue())
        step();
}

QList<Prompt> ScriptedPrompter::take() {
    return std::exchange(m_shown, {});
}

QStringList ScriptedPrompter::takeTexts() {
    QStringList texts;
    for (const Prompt& p : take())
        texts << p.text;
    return texts;
}

void ScriptedPrompter::clear() {
    m_shown.clear();
    m_answers.clear();
    m_inputs.clear();
    m_steps.clear();
}
