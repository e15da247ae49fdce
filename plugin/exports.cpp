// The five exports. Each is a thin door into target/ or a fixed answer.
#include <cstdint>

#include "plugin/korzel_plugin.h"
#include "plugin/version.h"
#include "target/key_translation.h"
#include "target/target_window.h"

namespace {

// The remote keys the plug-in wants: bits 0, 3, 4, 7, 8, 9, 12 and 13.
constexpr int kWantedKeys = 0x3399;

constexpr char kAboutText[] = "Korrin Plug-In Version " KORZEL_VERSION_SHORT_STRING;
constexpr char kAboutCaption[] = "About";

}  // namespace

extern "C" {

int __cdecl WhatKeysDoYouWant(void) { return kWantedKeys; }

int __cdecl EnumerateProgrammableFunction(...) { return 0; }

int __cdecl AreYouInFocus(void) { return korzel::AreYouInFocus(); }

int __cdecl HandleKey(int alternate, int keyCode, int eventKind) {
    return korzel::HandleKey(static_cast<std::uint32_t>(alternate), static_cast<std::uint32_t>(keyCode),
                             static_cast<std::uint32_t>(eventKind));
}

int __cdecl Configure(HWND owner) { return MessageBoxA(owner, kAboutText, kAboutCaption, MB_OK); }

}  // extern "C"
