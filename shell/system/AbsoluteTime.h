#pragma once

// Calendar time as absolute time: seconds since 2001-01-01 00:00:00 GMT, read from the wall
// clock of the platform (which tests may fix).

// The current absolute time.
double GetAbsoluteTime();
// t moved by the local time zone's offset from GMT at t: its Gregorian date reads local time.
double LocalAbsoluteTime(double t);
