#include "fw/ResourceHandle.h"

namespace {
HINSTANCE g_hResource = nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return g_hResource ? g_hResource : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hResource) {
    g_hResource = hResource;
}
