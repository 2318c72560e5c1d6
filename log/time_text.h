#pragma once
// The time text of the "created: " and "closed: " lines: 24 characters and a
// line feed, e.g. "Mon Mar 03 08:05:09 2003\n" (the day always two digits).

#include <ctime>
#include <string>

namespace diag {

std::string timeText(const std::tm& local);
std::string timeTextNow();

}  // namespace diag
