#pragma once

#include "core/platform/Prompter.h"

class Program;

/// Real modal message boxes, questions and input boxes.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(const Program& program) : m_program(program) {}
    void message(const QString& text, const QString& title, Icon icon) override;
    bool question(const QString& text, const QString& title, Icon icon, bool yesIsDefault) override;
    bool retry(const QString& text, const QString& title, Icon icon) override;
    std::optional<QString> ask(const QString& prompt, const QString& title,
                               const QString& initial) override;
    std::optional<QString> askPassword(const QString& prompt, const QString& title) override;

private:
    QString titleOr(const QString& title) const;
    const Program& m_program;
};
