// String-table ids of the window titles and button captions by which the setup manager,
// its pages and the maker's online-update tools are found.
#pragma once

#include <windows.h>

namespace WndTitle {
constexpr UINT SETUPMAN_ZORV = 10000;     // "zorv Series Setup"
constexpr UINT SETUPMAN_QL = 10001;       // "QL Series Setup"
constexpr UINT SETUPMAN_VQ = 10002;       // "Velorix Setup"
constexpr UINT SETUPMAN_QUILLET = 10003;  // "Quillet Setup"
constexpr UINT OLU = 10010;               // "zorv Series Online Update"
constexpr UINT OLU_QL = 10011;            // "QL Series Online Update"
constexpr UINT DOWNLOAD_PAGE = 10020;     // "Download Software"
constexpr UINT BUTTON_FINISH = 10021;     // "Finish"
constexpr UINT BUTTON_CLOSE = 10022;      // "Close"
}  // namespace WndTitle
