#include "fw/Time.h"

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec) {
    const bool bInRange = nYear >= 1970 && nYear <= 3000 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 &&
                          nDay <= 31 && nHour >= 0 && nHour <= 23 && nMin >= 0 && nMin <= 59 && nSec >= 0 &&
                          nSec <= 59;
    if (!bInRange) {
        m_time = -1;
        return;
    }
    struct tm tmLocal = {};
    tmLocal.tm_year = nYear - 1900;
    tmLocal.tm_mon = nMonth - 1;
    tmLocal.tm_mday = nDay;
    tmLocal.tm_hour = nHour;
    tmLocal.tm_min = nMin;
    tmLocal.tm_sec = nSec;
    tmLocal.tm_isdst = -1;
    m_time = _mktime64(&tmLocal);
}

CTime CTime::GetCurrentTime() {
    return CTime(_time64(nullptr));
}

struct tm CTime::Local() const {
    struct tm tmLocal = {};
    if (m_time == -1 || _localtime64_s(&tmLocal, &m_time) != 0) return {};
    return tmLocal;
}
