#include "mail/parse/mail_date.h"

#include <cstdio>

namespace tv::mail {

namespace {

// Dates before mail existed, or beyond four-digit years, are a sender's broken clock.
constexpr int kFirstYear = 1980;
constexpr int kLastYear = 9999;

std::string format(int year, int month, int day, int hour, int minute, int second) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return text;
}

bool digits(std::string_view s) {
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

int number(std::string_view s) {
    int value = 0;
    for (char c : s) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

std::optional<std::string> local_date_text(GDateTime* date) {
    if (!date) return std::nullopt;
    GDateTime* local = g_date_time_to_local(date);
    if (!local) return std::nullopt;
    int year = g_date_time_get_year(local);
    std::optional<std::string> text;
    if (year >= kFirstYear && year <= kLastYear) {
        text = format(year, g_date_time_get_month(local), g_date_time_get_day_of_month(local),
                      g_date_time_get_hour(local), g_date_time_get_minute(local), g_date_time_get_second(local));
    }
    g_date_time_unref(local);
    return text;
}

std::optional<std::string> receipt_time_from_name(std::string_view name) {
    if (name.size() < 15) return std::nullopt;
    std::string_view day = name.substr(0, 8), time = name.substr(9, 6);
    if (!digits(day) || !digits(time)) return std::nullopt;
    int month = number(day.substr(4, 2)), dom = number(day.substr(6, 2));
    int hour = number(time.substr(0, 2)), minute = number(time.substr(2, 2)), second = number(time.substr(4, 2));
    if (month < 1 || month > 12 || dom < 1 || dom > 31 || hour > 23 || minute > 59 || second > 60) return std::nullopt;
    return format(number(day.substr(0, 4)), month, dom, hour, minute, second);
}

std::string local_time_text(std::time_t moment) {
    std::tm local{};
    if (!localtime_r(&moment, &local)) return format(1980, 1, 1, 0, 0, 0);
    return format(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
}

}  // namespace tv::mail
