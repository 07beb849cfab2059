#pragma once

#include <QString>
#include <optional>

/// Message boxes, Yes/No questions and one-line input boxes. Screens and rules ask the
/// user only through this, so tests can answer from a script.
class Prompter {
public:
    enum class Icon { None, Information, Warning, Stop, Question };

    virtual ~Prompter() = default;

    /// A modal message with an OK button. An empty title shows the program's title.
    virtual void message(const QString& text, const QString& title = {},
                         Icon icon = Icon::None) = 0;

    /// A modal Yes/No question; returns true for Yes.
    virtual bool question(const QString& text, const QString& title, Icon icon,
                          bool yesIsDefault) = 0;

    /// A modal Retry/Cancel question about a step that failed; returns true for Retry.
    virtual bool retry(const QString& text, const QString& title, Icon icon) = 0;

    /// A one-line input box: what the user typed, or nothing when the box was cancelled.
    virtual std::optional<QString> ask(const QString& prompt, const QString& title,
                                       const QString& initial = {}) = 0;

    /// A one-line input box whose text is shown as stars: a password.
    virtual std::optional<QString> askPassword(const QString& prompt, const QString& title) {
        return ask(prompt, title);
    }

    /// A one-line input box; Cancel yields the empty text.
    QString input(const QString& prompt, const QString& title, const QString& initial = {}) {
        return ask(prompt, title, initial).value_or(QString());
    }
};
