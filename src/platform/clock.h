#pragma once

#include <QDate>
#include <QTime>

namespace quillet::platform {

// The local date and time of day, as two readings.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual QDate Today() const = 0;
    [[nodiscard]] virtual QTime TimeOfDay() const = 0;
};

class SystemClock final : public Clock {
public:
    [[nodiscard]] QDate Today() const override { return QDate::currentDate(); }
    [[nodiscard]] QTime TimeOfDay() const override { return QTime::currentTime(); }
};

}  // namespace quillet::platform
