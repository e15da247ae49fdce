// The translation table: which remote key, under which event kind, becomes
// which keystroke for Korrin. This is the only copy of the key map; the
// stand-in host prints it by running the DLL, and the README's key map is
// generated from that output.
#pragma once

#include <cstdint>

#include <windows.h>

namespace korzel {

// How a row's keystroke reaches Korrin.
enum class Delivery : std::uint8_t {
    PostKeyDown,  // one WM_KEYDOWN posted straight to the target window
    CtrlChord,    // Ctrl down, key down, key up, Ctrl up, injected
    AltEnter,     // Left Alt down, Enter down, Enter up, Left Alt up, injected
};

struct KeyRow {
    std::uint16_t eventKind;
    std::uint16_t keyCode;
    Delivery delivery;
    std::uint8_t virtualKey;  // unused for AltEnter
};

inline constexpr KeyRow kKeyTable[] = {
    // Event kind 1, key codes 23 to 48. Codes 30-34, 42 and 43 have no row.
    {1, 23, Delivery::PostKeyDown, VK_UP},
    {1, 24, Delivery::PostKeyDown, VK_DOWN},
    {1, 25, Delivery::PostKeyDown, VK_RIGHT},
    {1, 26, Delivery::PostKeyDown, VK_LEFT},
    {1, 27, Delivery::PostKeyDown, 'M'},
    {1, 28, Delivery::PostKeyDown, VK_HOME},
    {1, 29, Delivery::PostKeyDown, VK_F1},
    {1, 35, Delivery::CtrlChord, 'F'},
    {1, 36, Delivery::CtrlChord, 'R'},
    {1, 37, Delivery::CtrlChord, 'P'},
    {1, 38, Delivery::CtrlChord, 'Q'},
    {1, 39, Delivery::CtrlChord, 'S'},
    {1, 40, Delivery::CtrlChord, 'K'},
    {1, 41, Delivery::CtrlChord, 'Q'},
    {1, 44, Delivery::CtrlChord, 'R'},
    {1, 45, Delivery::CtrlChord, 'G'},
    {1, 46, Delivery::CtrlChord, 'Y'},
    {1, 47, Delivery::CtrlChord, 'B'},
    {1, 48, Delivery::AltEnter, 0},

    // Event kind 2, key codes 25, 26, 35 and 36 only.
    {2, 25, Delivery::PostKeyDown, VK_RIGHT},
    {2, 26, Delivery::PostKeyDown, VK_LEFT},
    {2, 35, Delivery::CtrlChord, VK_RIGHT},
    {2, 36, Delivery::CtrlChord, VK_LEFT},
};

// The row for a pair, or null when the pair is not handled. Both numbers are
// already cut to their low 16 bits.
constexpr const KeyRow* FindKeyRow(std::uint16_t eventKind, std::uint16_t keyCode) {
    for (const KeyRow& row : kKeyTable) {
        if (row.eventKind == eventKind && row.keyCode == keyCode) return &row;
    }
    return nullptr;
}

namespace detail {
constexpr bool EachPairHasOneRow() {
    for (const KeyRow& row : kKeyTable) {
        if (FindKeyRow(row.eventKind, row.keyCode) != &row) return false;
    }
    return true;
}
}  // namespace detail
static_assert(detail::EachPairHasOneRow(), "a (event kind, key code) pair has two rows");

}  // namespace korzel
