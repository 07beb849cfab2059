#pragma once

#include "core/platform/DbError.h"
#include "core/platform/Prompter.h"

#include <exception>

/// The two ways a handler meets a failure. Core code throws DbError and never swallows it;
/// only handlers decide what a failure means to the user.
///
/// tellIfFails(): the usual way. The handler stops at its first failure, the user is told
/// what went wrong in one message, and what was already stored stays stored.
///
/// skipIfFails(): a step whose failure the handler may pass over and go on with the next
/// one (filling a list, showing an optional value). Every use says in a comment why the
/// step may be skipped; a failure that loses what the user typed or leaves a half-made
/// record is never skipped.
template <class F> bool skipIfFails(F&& statement) noexcept {
    try {
        statement();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

template <class F> bool tellIfFails(Prompter& prompter, F&& handler) {
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
