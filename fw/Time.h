// CTime: a point in time as seconds since 1970 (UTC), built from local calendar fields.
#pragma once

#include <ctime>

class CTime {
public:
    CTime() = default;
    explicit CTime(__time64_t t) : m_time(t) {}
    // Local calendar time; fields out of the calendar's range give an invalid time (GetTime() == -1).
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    static CTime GetCurrentTime();

    __time64_t GetTime() const { return m_time; }
    bool IsValid() const { return m_time != -1; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }

    friend bool operator==(const CTime& a, const CTime& b) { return a.m_time == b.m_time; }
    friend bool operator!=(const CTime& a, const CTime& b) { return a.m_time != b.m_time; }
    friend bool operator<(const CTime& a, const CTime& b) { return a.m_time < b.m_time; }
    friend bool operator>(const CTime& a, const CTime& b) { return a.m_time > b.m_time; }
    friend bool operator<=(const CTime& a, const CTime& b) { return a.m_time <= b.m_time; }
    friend bool operator>=(const CTime& a, const CTime& b) { return a.m_time >= b.m_time; }

private:
    struct tm Local() const;

    __time64_t m_time = 0;
};
