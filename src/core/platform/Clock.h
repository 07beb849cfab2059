#pragma once

#include <QDate>
#include <QString>

/// Today's date. The program reads it only through a Clock so that tests can fix "today".
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;

    /// A date as the program writes it into records: "m/d/yyyy", no leading zeros.
    static QString dateText(const QDate& date);
    /// A date written "m/d/yyyy" (leading zeros allowed, blanks around it ignored); an
    /// invalid date for any other text.
    static QDate dateFromText(const QString& text);
    QString todayText() const { return dateText(today()); }
};

/// The computer's own calendar.
class SystemClock : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
};

/// A calendar that always shows the same day.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDate date) : m_date(date) {}
    QDate today() const override { return m_date; }
    void setToday(QDate date) { m_date = date; }

private:
    QDate m_date;
};
