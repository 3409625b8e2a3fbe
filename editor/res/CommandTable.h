#pragma once
#include <vector>

// One command: the menu text with its mnemonic and, after a tab, the hint of
// its accelerator; the status-bar prompt; the toolbar tooltip.
struct CCommandInfo {
    int id;
    const char* menuText; // nullptr for commands that have no menu item
    const char* prompt;   // nullptr for none
    const char* tooltip;  // nullptr for none
};

const std::vector<CCommandInfo>& CommandTable();
const CCommandInfo* FindCommand(int id);

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

// One accelerator. A character entry matches the typed character without Ctrl
// or Alt; a key entry matches the key with exactly the given modifiers.
struct CAccelInfo {
    enum Kind { Character, Key };
    Kind kind;
    int key; // the character, or a Qt::Key
    bool shift;
    bool ctrl;
    bool alt;
    bool keypad; // the key must come from the numeric keypad
    int command;
};

const std::vector<CAccelInfo>& AcceleratorTable();

// The toolbar's slots in order, 0 for a separator.
const std::vector<int>& ToolbarLayout();
