// The module's entry point. Korzel.dll is linked without a C run-time, so
// nothing runs before or after this: no run-time start-up, no static
// constructors, no on-exit table. The plug-in has nothing to set up or tear
// down on process or thread attach and detach, so it only reports success.
#include <windows.h>

extern "C" BOOL WINAPI KorzelDllEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
