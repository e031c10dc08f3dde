// The program's resources, loaded from this test's own module (it links the same resource
// object as Dralvex.exe): exact string texts, the restart dialog template, icon and manifest.
#include "resources/resource.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const wchar_t kWindowClass[] = L"zorvSeries_Downloader_WindowClass";

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

// The whole text of a string resource (no buffer limit), or "<missing>".
std::wstring LoadText(UINT id) {
    const wchar_t* p = nullptr;
    const int n = LoadStringW(Module(), id, reinterpret_cast<LPWSTR>(&p), 0);
    return n > 0 ? std::wstring(p, n) : std::wstring(L"<missing>");
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buf[1024] = {};
    GetWindowTextW(hwnd, buf, 1024);
    return buf;
}

struct WindowDeleter {
    void operator()(HWND hwnd) const { DestroyWindow(hwnd); }
};
using CWindow = std::unique_ptr<HWND__, WindowDeleter>;

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Registers the program's dialog class as the program does at start: the class information of
// the system dialog class "#32770" under the program's own name.
void RegisterDialogClass() {
    WNDCLASSW wc = {};
    if (GetClassInfoW(Module(), kWindowClass, &wc)) return;
    ASSERT_TRUE(GetClassInfoW(nullptr, L"#32770", &wc));
    wc.hInstance = Module();
    wc.lpszClassName = kWindowClass;
    ASSERT_NE(0, RegisterClassW(&wc));
}

CWindow CreateRestartDialog() {
    RegisterDialogClass();
    return CWindow(CreateDialogParamW(Module(), MAKEINTRESOURCEW(IDD_RESTART_CONFIRM), nullptr,
                                      IgnoreMessages, 0));
}

// Size in pixels of text in the control's font: word-wrapped into the control's width, or on one line.
SIZE TextSize(HWND control, const std::wstring& text, bool bWrap) {
    RECT rc;
    GetClientRect(control, &rc);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), -1, &rc, DT_CALCRECT | DT_NOPREFIX | (bWrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

// A control's rectangle in the client coordinates of its dialog.
RECT RectInDialog(HWND dlg, int id) {
    RECT rc;
    GetWindowRect(GetDlgItem(dlg, id), &rc);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

}  // namespace

TEST(StringTable, TextsAreExact) {
    const struct {
        UINT id;
        const wchar_t* text;
    } cases[] = {
        {IDS_CAPTION, L"Dralvex"},
        {IDS_CAPTION_QUESTION, L"Dralvex"},
        {IDS_FONT_FACE_XP, L"Tahoma"},
        {IDS_FONT_FACE, L"Segoe UI"},
        {IDS_MSG_NO_FOLDER_ACCESS, L"You do not have the privileges to access Dralvex.\nCheck your privileges."},
        {IDS_MSG_SERIAL_WRONG, L"Enter the correct serial number."},
        {IDS_MSG_OTHER_INSTALLATION,
         L"Another installation is in progress. You must complete that installation before continuing this one."},
        {IDS_MSG_SOFTWARE_UNSUPPORTED,
         L"The software to be downloaded and installed is not selected.\nNot supported by the Dralvex:\n - Tessaline"},
        // Escapes the resource compiler must keep: doubled quotes, \r\n, %%.
        {IDS_MSG_UAC_LEVEL,
         L"The current User Account Control settings disable the installation.\n"
         L"Set the User Account Control settings to \"Default\", and then click [Install]."},
        {IDS_RESTART_AFTER_INSTALL,
         L"The installation of the software is complete.\r\nYou must restart the computer before using the "
         L"installed software.\r\nDo you want to restart the computer now?"},
        {IDS_RESTART_PENDING,
         L"The previous setup of some software is not complete. To run the installations, you must restart "
         L"your computer.\n\nRestart now?"},
        {IDS_DOWNLOAD_STATUS, L"Downloading %d software (%s MB in total, %d%% completed)"},
        {IDS_TITLE_SETUP_ZORV, L"zorv Series Setup"},
        {IDS_TITLE_SETUP_QL, L"QL Series Setup"},
        {IDS_TITLE_SETUP_VELORIX, L"Velorix Setup"},
        {IDS_TITLE_SETUP_QUILLET, L"Quillet Setup"},
        {IDS_TITLE_UPDATE_ZORV, L"zorv Series Online Update"},
        {IDS_TITLE_UPDATE_QL, L"QL Series Online Update"},
        {IDS_TITLE_DOWNLOAD_PAGE, L"Download Software"},
        {IDS_BUTTON_FINISH, L"Finish"},
        {IDS_BUTTON_CLOSE, L"Close"},
    };
    static_assert(IDS_CAPTION == 2 && IDS_CAPTION_QUESTION == 3 && IDS_FONT_FACE_XP == 4 && IDS_FONT_FACE == 5);
    static_assert(IDS_MSG_NO_FOLDER_ACCESS == 1015 && IDS_MSG_SERIAL_WRONG == 1071 &&
                  IDS_MSG_OTHER_INSTALLATION == 1073 && IDS_MSG_SOFTWARE_UNSUPPORTED == 1074);
    static_assert(IDS_TITLE_SETUP_ZORV == 10000 && IDS_TITLE_SETUP_QUILLET == 10003 &&
                  IDS_TITLE_UPDATE_QL == 10011 && IDS_BUTTON_CLOSE == 10022);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(std::wstring(c.text), LoadText(c.id));
    }
}

TEST(RestartDialog, LoadsWithTheProgramClassCaptionAndButtons) {
    CWindow dlg = CreateRestartDialog();
    ASSERT_TRUE(dlg);

    wchar_t cls[64] = {};
    GetClassNameW(dlg.get(), cls, 64);
    EXPECT_STREQ(kWindowClass, cls);
    EXPECT_EQ(L"Dralvex", WindowText(dlg.get()));

    const struct {
        int id;
        const wchar_t* text;
    } controls[] = {{IDC_RESTART_YES, L"Yes"}, {IDC_RESTART_NO, L"No"}, {IDC_RESTART_TEXT, L""}};
    static_assert(IDD_RESTART_CONFIRM == 133 && IDC_RESTART_YES == IDOK && IDC_RESTART_NO == IDCANCEL &&
                  IDC_RESTART_TEXT == 1023);
    for (const auto& c : controls) {
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(dlg.get(), c.id);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(std::wstring(c.text), WindowText(control));
    }

    LOGFONTW lf = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dlg.get(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ(L"Tahoma", lf.lfFaceName);
}

// Both wordings of the restart question, and the start-up "Cancel" caption, fit their controls;
// the buttons lie inside the window, below the text.
TEST(RestartDialog, BothWordingsFitWithoutClipping) {
    CWindow dlg = CreateRestartDialog();
    ASSERT_TRUE(dlg);
    HWND text = GetDlgItem(dlg.get(), IDC_RESTART_TEXT);
    const RECT rcText = RectInDialog(dlg.get(), IDC_RESTART_TEXT);
    for (UINT id : {IDS_RESTART_AFTER_INSTALL, IDS_RESTART_PENDING}) {
        SCOPED_TRACE(id);
        EXPECT_LE(TextSize(text, LoadText(id), true).cy, rcText.bottom - rcText.top);
    }

    HWND no = GetDlgItem(dlg.get(), IDC_RESTART_NO);
    RECT rcNo;
    GetClientRect(no, &rcNo);
    EXPECT_LT(TextSize(no, LoadText(IDS_RESTART_PENDING_NO), false).cx, rcNo.right);

    RECT rcClient;
    GetClientRect(dlg.get(), &rcClient);
    for (int id : {IDC_RESTART_YES, IDC_RESTART_NO}) {
        SCOPED_TRACE(id);
        const RECT rc = RectInDialog(dlg.get(), id);
        EXPECT_GE(rc.left, 0);
        EXPECT_LE(rc.right, rcClient.right);
        EXPECT_LE(rc.bottom, rcClient.bottom);
        EXPECT_GE(rc.top, rcText.bottom);
    }
}

// The icon holds its own 32-bit image for each size (none is scaled from another), each valid.
TEST(ProgramResources, IconHasAnImageForEverySize) {
    HRSRC group = FindResourceW(Module(), MAKEINTRESOURCEW(IDI_DRALVEX), RT_GROUP_ICON);
    ASSERT_NE(nullptr, group);
    auto* dir = static_cast<PBYTE>(LockResource(LoadResource(Module(), group)));
    for (int size : {16, 32, 48}) {
        SCOPED_TRACE(size);
        const int id = LookupIconIdFromDirectoryEx(dir, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceW(Module(), MAKEINTRESOURCEW(id), RT_ICON);
        ASSERT_NE(nullptr, image);
        auto* bits = static_cast<PBYTE>(LockResource(LoadResource(Module(), image)));
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
        EXPECT_EQ(size, header->biWidth);
        EXPECT_EQ(32, header->biBitCount);
        HICON icon = CreateIconFromResourceEx(bits, SizeofResource(Module(), image), TRUE, 0x00030000, size,
                                              size, LR_DEFAULTCOLOR);
        EXPECT_NE(nullptr, icon);
        DestroyIcon(icon);
    }
}

// The embedded manifest is the process manifest: it selects the common controls 6 assembly
// (visible in where comctl32 is loaded from) and asks for administrator rights.
TEST(ProgramResources, ManifestActivatesCommonControls6AndAsksForAdministrator) {
    HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(nullptr, comctl);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(comctl, path, MAX_PATH);
    CharLowerW(path);
    EXPECT_NE(nullptr, wcsstr(path, L"microsoft.windows.common-controls_6595b64144ccf1df_6.")) << path;
    FreeLibrary(comctl);

    HRSRC res = FindResourceW(Module(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(nullptr, res);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(Module(), res))),
                               SizeofResource(Module(), res));
    EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\" uiAccess=\"false\""));
}
