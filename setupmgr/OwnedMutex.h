// COwnedMutex: a named mutex this process took ownership of; resetting it releases the
// ownership and closes the handle, so other programs see the mutex gone.
#pragma once

#include "fw/Handle.h"

struct OwnedMutexTraits {
    static HANDLE Invalid() { return nullptr; }
    static bool IsValid(HANDLE h) { return h != nullptr; }
    static void Close(HANDLE h) {
        ReleaseMutex(h);
        CloseHandle(h);
    }
};

using COwnedMutex = CUniqueHandle<HANDLE, OwnedMutexTraits>;
