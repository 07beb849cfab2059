#pragma once

#include "platform/DbError.h"
#include "platform/Prompter.h"

#include <exception>

/// The two kinds of handler.
///
/// A guarded handler runs each of its statements through guarded(): a statement that
/// fails is skipped and the handler goes on. An unguarded handler runs as a whole inside
/// unguarded(): it stops at the first failure, the user is told what went wrong in one
/// message, and what was already stored stays stored.
template <class F> bool guarded(F&& statement) noexcept {
    try {
        statement();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

template <class F> bool unguarded(Prompter& prompter, F&& handler) {
    try {
        handler();
        return true;
    } catch (const DbError& e) {
        prompter.message(e.message(), {}, Prompter::Icon::Warning);
    } catch (const std::exception& e) {
        prompter.message(QString::fromUtf8(e.what()), {}, Prompter::Icon::Warning);
    }
    return false;
}
