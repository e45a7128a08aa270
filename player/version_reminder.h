// The reminder to look for a newer version, at most once a week and only long after the build.
#pragma once

#include <functional>
#include <string>

#include "profile.h"

class JovDisplay;

namespace quorplay {

inline constexpr const char* kBuildDate = "2002-01-18";
inline constexpr const char* kVersionQuery = "/scripts/quorver.asp?ver=1.2i";
inline constexpr const char* kClickQuery = "?from=quorplay&ver=1.2i";

struct Date {
  int year = 0, month = 0, day = 0;  // month 1..12
};
Date Today();
std::string FormatDate(const Date& date);  // "%04i-%02i-%02i"
// Two months earlier with the same day number, and a week earlier (day - 7, or day + 23 of the
// previous month when the day is below 8).
Date TwoMonthsBefore(const Date& date);
Date WeekBefore(const Date& date);

// The web-site root (a build setting).
std::string WebRoot();

struct ReminderActions {
  std::function<bool(const std::string& caption, const std::string& text)> ask;  // true: Yes
  std::function<void(const std::string& url)> openUrl;
  std::function<void(uint32_t ms)> sleep;
};

// Runs the reminder for `today`; true when the user chose to look for a new version (the
// program then ends).
bool RunVersionReminder(const Date& today, const Profile& profile, const ReminderActions& actions);

}  // namespace quorplay
