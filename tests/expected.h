// What the tests hold the plug-in to: the one place where the tests state
// Korrin's window classes, what each remote key must deliver, the fixed
// answers, the About box, the export table and the version block.
//
// It is written independently of the plug-in's own constants (target/,
// plugin/), with plain numbers rather than the platform's names, so that a
// wrong value there shows up as a failing case here. The native tests, the
// end-to-end tests, the fuzzer and the benchmarks all take their
// expectations from this header; the file tests read the same values through
// expected_json.cpp.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/keystrokes.h"

namespace expected {

// Korrin's window classes, in the order the plug-in must look for them.
inline constexpr char kPrimaryClass[] = "WindowsForms10.Window.8.app4";
inline constexpr char kSecondaryClass[] = "WindowsForms10.Window.8.app5";

// The remote keys the plug-in wants: bits 0, 3, 4, 7, 8, 9, 12 and 13.
inline constexpr int kWantedKeys = 0x3399;

// The About box: one OK button and no icon (MB_OK, 0).
inline constexpr char kAboutText[] = "Korrin Plug-In Version 1.0";
inline constexpr char kAboutCaption[] = "About";
inline constexpr unsigned kAboutStyle = 0;

// The module: its name in the export table and its exports.
inline constexpr char kModuleName[] = "Korzel.dll";
struct Export {
    unsigned ordinal;
    const char* name;
};
inline constexpr Export kExports[] = {
    {1, "AreYouInFocus"}, {2, "Configure"},         {3, "EnumerateProgrammableFunction"},
    {4, "HandleKey"},     {5, "WhatKeysDoYouWant"},
};

// The version block: its fixed part, then its strings in their order.
inline constexpr unsigned kFileVersion[4] = {1, 0, 0, 0};
inline constexpr unsigned kProductVersion[4] = {1, 0, 0, 0};
inline constexpr unsigned kFileFlagsMask = 0x3F;
inline constexpr unsigned kFileFlags = 0;
inline constexpr unsigned kFileOs = 0x40004;  // VOS_NT_WINDOWS32
inline constexpr unsigned kFileType = 2;      // VFT_DLL
inline constexpr unsigned kFileSubtype = 0;
inline constexpr char kStringTable[] = "040904b0";
inline constexpr unsigned kTranslation[2] = {0x0409, 1200};
struct VersionString {
    const char* name;
    const char* value;
};
inline constexpr VersionString kVersionStrings[] = {
    {"CompanyName", "Korzel Developers"},
    {"FileDescription", "Korrin Plug-In for Zelvane."},
    {"LegalCopyright", "Copyright (C) 2026 Korzel Developers"},
    {"FileVersion", "1.0.0.0"},
    {"OriginalFilename", "korzel.dll"},
    {"ProductName", "Korrin"},
    {"ProductVersion", "1.0.0.0"},
};

// What each remote key delivers.
enum class Delivery : std::uint8_t {
    Posted,     // one WM_KEYDOWN (0x100) posted to the target window, lParam 0
    CtrlChord,  // Ctrl (0x11) down, key down, key up, Ctrl up, injected
    AltEnter,   // Left Alt (0xA4) down, Enter (0x0D) down, Enter up, Left Alt up, injected
};
struct Key {
    int eventKind;
    int keyCode;
    Delivery delivery;
    std::uint8_t virtualKey;  // the posted key, or the chord's key
};
inline constexpr Key kKeys[] = {
    {1, 23, Delivery::Posted, 0x26},     // Up
    {1, 24, Delivery::Posted, 0x28},     // Down
    {1, 25, Delivery::Posted, 0x27},     // Right
    {1, 26, Delivery::Posted, 0x25},     // Left
    {1, 27, Delivery::Posted, 'M'},      //
    {1, 28, Delivery::Posted, 0x24},     // Home
    {1, 29, Delivery::Posted, 0x70},     // F1
    {1, 35, Delivery::CtrlChord, 'F'},   //
    {1, 36, Delivery::CtrlChord, 'R'},   //
    {1, 37, Delivery::CtrlChord, 'P'},   //
    {1, 38, Delivery::CtrlChord, 'Q'},   //
    {1, 39, Delivery::CtrlChord, 'S'},   //
    {1, 40, Delivery::CtrlChord, 'K'},   //
    {1, 41, Delivery::CtrlChord, 'Q'},   //
    {1, 44, Delivery::CtrlChord, 'R'},   //
    {1, 45, Delivery::CtrlChord, 'G'},   //
    {1, 46, Delivery::CtrlChord, 'Y'},   //
    {1, 47, Delivery::CtrlChord, 'B'},   //
    {1, 48, Delivery::AltEnter, 0x0D},   // Enter
    {2, 25, Delivery::Posted, 0x27},     // Right
    {2, 26, Delivery::Posted, 0x25},     // Left
    {2, 35, Delivery::CtrlChord, 0x27},  // Right
    {2, 36, Delivery::CtrlChord, 0x25},  // Left
};

// The row for a pair, or null; only the low 16 bits of each number count.
constexpr const Key* Find(std::uint32_t eventKind, std::uint32_t keyCode) {
    for (const Key& key : kKeys) {
        if (static_cast<std::uint32_t>(key.eventKind) == (eventKind & 0xFFFF) &&
            static_cast<std::uint32_t>(key.keyCode) == (keyCode & 0xFFFF)) {
            return &key;
        }
    }
    return nullptr;
}

// Exactly what a key delivers when `target` is Korrin's window: in order,
// every posted message and every injected event, with all their fields.
inline std::vector<keystrokes::Event> Events(const Key& key, std::uintptr_t target) {
    constexpr std::uint32_t kUp = 2;  // KEYEVENTF_KEYUP; no other flag, scan code 0, extra 0
    auto chord = [&](std::uint8_t modifier) {
        return std::vector<keystrokes::Event>{
            keystrokes::Injected(modifier, 0, 0, 0), keystrokes::Injected(key.virtualKey, 0, 0, 0),
            keystrokes::Injected(key.virtualKey, 0, kUp, 0), keystrokes::Injected(modifier, 0, kUp, 0)};
    };
    switch (key.delivery) {
        case Delivery::Posted: return {keystrokes::Posted(target, 0x100, key.virtualKey, 0)};
        case Delivery::CtrlChord: return chord(0x11);
        case Delivery::AltEnter: return chord(0xA4);
    }
    return {};
}

// What one HandleKey call must deliver: nothing without a target window, for
// a non-zero alternate, or for a pair without a row.
inline std::vector<keystrokes::Event> Events(std::uint32_t alternate, std::uint32_t keyCode, std::uint32_t eventKind,
                                             std::uintptr_t target) {
    const Key* key = Find(eventKind, keyCode);
    if (target == 0 || alternate != 0 || key == nullptr) return {};
    return Events(*key, target);
}

}  // namespace expected
