#pragma once
#include <cstdint>

// A calendar date and time of day in GMT, with the day of the week (1 Monday ... 7 Sunday).
struct SGregorianDate {
    int32_t year = 0;
    uint8_t month = 0;
    uint8_t day = 0;
    uint8_t hour = 0;
    uint8_t minute = 0;
    double second = 0.0;
    uint8_t dayOfWeek = 0;
};

// The GMT date of an absolute time: seconds since 2001-01-01 00:00:00 GMT.
SGregorianDate GetGregorianDate(double absoluteTime);
