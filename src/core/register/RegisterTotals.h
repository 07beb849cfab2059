#pragma once

#include "core/entry/AmountText.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantList>
#include <memory>

class Database;
class RegisterQuery;

/// The count and the total of the checks a register shows.
struct RegisterSummary {
    qint64 checks = 0;
    qint64 voided = 0;                ///< of those, void: never in the total
    qint64 notAmounts = 0;            ///< amounts stored as something that is not dollars and cents
    AmountText::TotalCents total = 0; ///< in cents, exactly

    /// The line under the register: "12 checks, total $1,234.50", with the void checks and
    /// the amounts left out named.
    QString text() const;
};

/// Counts and adds up the checks a register shows, in cents and never in floating point.
///
/// On a large database the counting takes longer than a screen may wait, so it is done a
/// stretch of IDs at a time from the event loop, each stretch short enough that typing and
/// scrolling go on meanwhile; done() says when the summary is complete.
class RegisterTotals : public QObject {
    Q_OBJECT
public:
    explicit RegisterTotals(QObject* parent = nullptr);
    ~RegisterTotals() override;

    /// Starts counting the rows of `query` afresh; what was being counted is dropped.
    void start(const RegisterQuery& query);
    /// Counts what is left at once (tests, and a caller that must have the figures).
    /// Throws DbError.
    void finish();
    /// Stops counting: there is nothing to count (the rows could not be read).
    void stop();

    bool done() const { return m_done; }
    const RegisterSummary& summary() const { return m_summary; }
    /// Why the counting stopped, when it failed; empty otherwise.
    const QString& failure() const { return m_failure; }

signals:
    /// The counting is complete, or has failed.
    void changed();

private:
    void countSome();
    /// Counts the rows with IDs above `from` up to `to`; all of them when `to` is 0.
    void count(qint64 from, qint64 to);

    std::shared_ptr<Database> m_db;
    QString m_condition;
    QVariantList m_binds;
    qint64 m_next = 0; ///< the stretch to count next starts above this ID
    qint64 m_last = 0; ///< the highest ID
    qint64 m_stretch = 0;
    bool m_done = true;
    RegisterSummary m_summary;
    QString m_failure;
    QTimer m_timer;
};
