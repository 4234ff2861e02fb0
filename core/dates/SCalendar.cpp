// Calendar-time calls, reentrant on every platform.
#include "dates/SCalendar.h"

void SCalendar::LocalNow(std::tm & outTime) {
  LocalTime(std::time(nullptr), outTime);
}

bool SCalendar::LocalTime(std::time_t inTime, std::tm & outTime) {
#ifdef _WIN32
  bool ok = ::localtime_s(&outTime, &inTime) == 0;
#else
  bool ok = ::localtime_r(&inTime, &outTime) != nullptr;
#endif
  if (!ok)
    outTime = std::tm{};
  return ok;
}

std::time_t SCalendar::MakeTime(std::tm & ioTime) {
  return std::mktime(&ioTime);
}
