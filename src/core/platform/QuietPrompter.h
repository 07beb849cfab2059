#pragma once

#include "core/platform/Prompter.h"

/// Answers every box at once without showing it: OK, No, Cancel, an empty input. For the tour and
/// the benchmarks, which build the real screens with nobody to answer.
class QuietPrompter : public Prompter {
public:
    void message(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&, Icon, bool) override { return false; }
    bool retry(const QString&, const QString&, Icon) override { return false; }
    std::optional<QString> ask(const QString&, const QString&, const QString&) override {
        return QString();
    }
};
