#pragma once

#include "app/Placeholder.h"

#include <memory>

class RecordSet;

/// Stands in for the data-entry screen until it is built: shows the chosen database and
/// offers File - Exit, which leaves through BackupAndExit.
class CheckPlaceholder : public Placeholder {
    Q_OBJECT
public:
    explicit CheckPlaceholder(AppContext& context);
    ~CheckPlaceholder() override;
    void load();

private:
    void MExit_Click();

    std::unique_ptr<RecordSet> m_data1;  // Account of the current database
    std::unique_ptr<RecordSet> m_data11; // settings record
};
