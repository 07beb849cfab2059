#include "support/ScriptedPrompter.h"

#include <QTest>

void ScriptedPrompter::message(const QString& text, const QString& title, Icon icon) {
    m_shown.append({Prompt::Kind::Message, text, title, icon, false});
}

bool ScriptedPrompter::question(const QString& text, const QString& title, Icon icon,
                                bool yesIsDefault) {
    m_shown.append({Prompt::Kind::Question, text, title, icon, yesIsDefault});
    if (m_answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__,
                     __LINE__);
        return false;
    }
    return m_answers.dequeue();
}

QString ScriptedPrompter::input(const QString& prompt, const QString& title, const QString&) {
    m_shown.append({Prompt::Kind::Input, prompt, title, Icon::None, false});
    if (m_inputs.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected input box: ") + prompt), __FILE__,
                     __LINE__);
        return {};
    }
    return m_inputs.dequeue();
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
}
