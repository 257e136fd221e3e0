#pragma once
// The local date and time of a run, as the caller read it from its clock:
// the core never reads the clock itself.

namespace zav {

struct DateTime {
    int day = 1;
    int month = 1;
    int year = 2000;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

} // namespace zav
