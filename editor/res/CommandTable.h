#pragma once
#include <vector>

// A key that runs a command. A character key matches the typed character
// without Ctrl or Alt; any other key matches with exactly the given modifiers.
struct CCommandKey {
    enum Kind { Character, Key };
    Kind kind;
    int key; // the character, or a Qt::Key
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool keypad = false; // the key must come from the numeric keypad
};

constexpr CCommandKey CharacterKey(char c) {
    return {CCommandKey::Character, c};
}
constexpr CCommandKey PlainKey(int key) {
    return {CCommandKey::Key, key};
}
constexpr CCommandKey ShiftKey(int key) {
    return {CCommandKey::Key, key, true};
}
constexpr CCommandKey CtrlKey(int key) {
    return {CCommandKey::Key, key, false, true};
}
constexpr CCommandKey CtrlShiftKey(int key) {
    return {CCommandKey::Key, key, true, true};
}
constexpr CCommandKey AltKey(int key) {
    return {CCommandKey::Key, key, false, false, true};
}
constexpr CCommandKey KeypadKey(int key) {
    return {CCommandKey::Key, key, false, false, false, true};
}

// What the user sees of one command: the menu text with its mnemonic and,
// after a tab, the hint of its key; the status-bar prompt; the toolbar
// tooltip; the keys that run it. Registered with the command's handlers.
struct CCommandInfo {
    int id = 0;
    const char* menuText = nullptr; // nullptr for commands that have no menu item
    const char* prompt = nullptr;
    const char* tooltip = nullptr;
    std::vector<CCommandKey> keys = {};
};

// The number of recent-file slots the program keeps.
constexpr int kRecentFileCount = 4;

// A drop-down menu of the menu bar; items are command ids, 0 is a separator,
// and ID_FILE_MRU_FILE1 marks where the recent-file list goes.
struct CMenuInfo {
    const char* title;
    std::vector<int> items;
};

// Menu IDR_MAIN_FRAME while no document window is open, IDR_OBJECT_TYPE while
// one is.
const std::vector<CMenuInfo>& MenuResource(int menuId);

// The toolbar's slots in order, 0 for a separator.
const std::vector<int>& ToolbarLayout();
