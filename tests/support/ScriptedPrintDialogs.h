#pragma once

#include "core/platform/RecordingPrinter.h"
#include "gui/platform/PrintDialogs.h"

#include <QList>
#include <functional>
#include <memory>

/// The printing dialogs as a test answers them: printer setup runs what the test chose
/// (nothing by default) and is counted; each preview is drawn on a recording printer of its
/// own, kept to be looked at.
class ScriptedPrintDialogs : public PrintDialogs {
public:
    void setUpPrinter(QWidget*) override {
        ++setups;
        if (choice)
            choice();
    }
    void preview(QWidget*, const std::function<void(Printer&)>& draw) override {
        previews.append(std::make_shared<RecordingPrinter>());
        draw(*previews.last());
    }

    std::function<void()> choice;
    int setups = 0;
    QList<std::shared_ptr<RecordingPrinter>> previews;
};
