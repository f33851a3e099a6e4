#pragma once

#include <QDateTime>

namespace quillet::platform {

// The local date and time of day. One reading gives both: read apart, a reading taken at the
// last instant of a day pairs that day with the next day's 00:00:00.
class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual QDateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    [[nodiscard]] QDateTime Now() const override { return QDateTime::currentDateTime(); }
};

}  // namespace quillet::platform
