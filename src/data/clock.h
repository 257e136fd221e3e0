#pragma once
// The one clock of the program: the window, the batch mode and the command
// line read the time of a run through it, and tests set it.

#include "data/date_time.h"

namespace zav {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual DateTime now() = 0;
};

// The local time, to the millisecond.
class SystemClock : public Clock {
  public:
    DateTime now() override;
};

} // namespace zav
