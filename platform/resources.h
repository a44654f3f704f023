// Resources compiled into the program: the module handle, names that are small integers, and
// icons and bitmaps loaded by id or name.
#pragma once

#include "platform/win_types.h"

// Resources: a module handle, names that are small integers, types and load flags.
struct GkModule;
using HINSTANCE = GkModule*;
using HMODULE = HINSTANCE;
using HANDLE = void*;
inline const char* MAKEINTRESOURCE(UINT id) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id & 0xFFFF));
}
inline bool IS_INTRESOURCE(const char* name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}
inline const char* const RT_BITMAP = MAKEINTRESOURCE(2);
inline const char* const RT_GROUP_CURSOR = MAKEINTRESOURCE(12);
inline const char* const RT_GROUP_ICON = MAKEINTRESOURCE(14);
constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT IMAGE_ICON = 1;
constexpr UINT IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_SHARED = 0x8000;

// Resources live in this one program: every lookup yields the same module handle.
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxFindResourceHandle(const char* lpszName, const char* lpszType);
// IMAGE_ICON from ":/res/icon/<id>" (cx, cy 0 = the resource's own size, 32 × 32 when it has
// several) or IMAGE_BITMAP from ":/res/bitmap/<name>"; null when there is no such resource.
// Release icons with DestroyIcon, bitmaps with DeleteObject.
HANDLE LoadImage(HINSTANCE hInst, const char* lpszName, UINT uType, int cxDesired, int cyDesired,
                 UINT fuLoad);
HICON LoadIcon(HINSTANCE hInst, const char* lpszName); // the 32 × 32 image
HBITMAP LoadBitmap(HINSTANCE hInst, const char* lpszName);
BOOL DestroyIcon(HICON hIcon);
// An icon's size in pixels ({0, 0} for none).
CSize GetIconSize(HICON hIcon);
