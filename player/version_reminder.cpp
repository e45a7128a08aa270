// The version reminder's dates and question.
#include "version_reminder.h"

#include <cstdio>
#include <ctime>

#include "texts.h"

namespace quorplay {

Date Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string FormatDate(const Date& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%04i-%02i-%02i", d.year, d.month, d.day);
  return text;
}

Date TwoMonthsBefore(const Date& d) {
  Date e = d;
  e.month -= 2;
  if (e.month < 1) {
    e.month += 12;
    e.year -= 1;
  }
  return e;
}

Date WeekBefore(const Date& d) {
  if (d.day >= 8) return {d.year, d.month, d.day - 7};
  Date e{d.year, d.month - 1, d.day + 23};
  if (e.month < 1) {
    e.month = 12;
    e.year -= 1;
  }
  return e;
}

std::string WebRoot() {
#ifdef QUOR_WEB_ROOT
  return QUOR_WEB_ROOT;
#else
  return "https://quor.example.invalid";
#endif
}

bool RunVersionReminder(const Date& today, const Profile& profile, const ReminderActions& actions) {
  if (!(std::string(kBuildDate) < FormatDate(TwoMonthsBefore(today)))) return false;
  const std::string last = profile.read(kProfileSection, "LastVersionCheckDate", kBuildDate, 15);
  if (!(last < FormatDate(WeekBefore(today)))) return false;
  const std::string date = FormatDate(today);
  profile.write(kProfileSection, "LastVersionCheckDate", date);
  if (!actions.ask(kVersionCaption, kVersionQuestion)) return false;
  actions.openUrl(WebRoot() + kVersionQuery);
  actions.sleep(250);
  profile.write(kProfileSection, "LastVersionCheckDate", date);
  return true;
}

}  // namespace quorplay
