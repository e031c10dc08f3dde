#include "app/WindowOrder.h"

#include "app/support/VrxCommon.h"
#include "resources/resource.h"

const wchar_t kDialogClassName[] = L"" DRALVEX_WINDOW_CLASS;

namespace {

// The first visible top-level dialog of the program other than hSelf.
HWND FindOtherDialog(HWND hSelf) {
    for (HWND h = FindWindowExW(nullptr, nullptr, kDialogClassName, nullptr); h;
         h = FindWindowExW(nullptr, h, kDialogClassName, nullptr)) {
        if (h != hSelf && IsWindowVisible(h)) return h;
    }
    return nullptr;
}

}  // namespace

void SetForegroundEx(HWND hSelf) {
    const HWND hOther = FindOtherDialog(hSelf);
    if (!hOther) {
        AdjustDialogWindow(hSelf);
        return;
    }
    // Message boxes and plain dialogs: the first one owned by either dialog decides the order.
    for (HWND hBox = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); hBox;
         hBox = FindWindowExW(nullptr, hBox, L"#32770", nullptr)) {
        const HWND hOwner = GetParent(hBox);
        if (hOwner == hSelf) {
            AdjustDialogWindow(hOther);
            AdjustDialogWindow(hSelf);
            PostMessageW(hBox, WM_SETFOCUS, 0, 0);
            return;
        }
        if (hOwner == hOther) {
            AdjustDialogWindow(hSelf);
            AdjustDialogWindow(hOther);
            PostMessageW(hBox, WM_SETFOCUS, 0, 0);
            return;
        }
    }
    AdjustDialogWindow(hSelf);
    AdjustDialogWindow(hOther);
}
