// The window handle the catalogue and the engine pass around. On Windows it is the real
// HWND; elsewhere (the native core build and its tests) an opaque pointer
// that the engine never looks into.
#ifndef MX_PLATFORM_HANDLE_H
#define MX_PLATFORM_HANDLE_H

#ifdef _WIN32
#include <windows.h>
#else
typedef struct HWND__ *HWND;
#endif

#endif
