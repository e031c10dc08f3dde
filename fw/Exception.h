// CException: the base of the exceptions that the framework's file and internet classes
// throw (by value; callers catch by reference, the most derived type first).
#pragma once

class CException {
public:
    virtual ~CException() = default;
};
