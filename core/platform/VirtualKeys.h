#pragma once
#include <cstdint>

using UINT = uint32_t;

// Key codes and mouse flags as the tools receive them.
enum : UINT {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_CAPITAL = 0x14,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_LWIN = 0x5B,
    VK_ADD = 0x6B,
    VK_SUBTRACT = 0x6D,
    VK_F1 = 0x70,
    VK_OEM_PLUS = 0xBB,
    VK_OEM_MINUS = 0xBD,
    VK_F6 = 0x75,
    VK_NUMLOCK = 0x90,
    VK_SCROLL = 0x91,
};

// Shift, Ctrl, Alt (AltGr), the logo keys and the lock keys: keys that are
// held or toggled on the way to something else, never an action of their own.
inline bool IsModifierKey(UINT vk) {
    return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_LWIN ||
           vk == VK_CAPITAL || vk == VK_NUMLOCK || vk == VK_SCROLL;
}

enum : UINT { MK_LBUTTON = 0x0001, MK_RBUTTON = 0x0002, MK_SHIFT = 0x0004, MK_CONTROL = 0x0008 };
