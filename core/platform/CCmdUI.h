#pragma once

// The state a command's update handler gives its menu item and toolbar button.
// A handler that does not exist leaves the command enabled.
class CCmdUI {
public:
    explicit CCmdUI(int id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(bool on = true) {
        m_bEnabled = on;
        m_bEnableChanged = true;
    }
    // 0 unchecked, 1 checked.
    virtual void SetCheck(int check = 1) {
        m_nCheck = check;
        m_bRadio = false;
        m_bCheckChanged = true;
    }
    virtual void SetRadio(bool on = true) {
        m_nCheck = on ? 1 : 0;
        m_bRadio = true;
        m_bCheckChanged = true;
    }

    int m_nID;
    bool m_bEnabled = true;
    bool m_bEnableChanged = false;
    int m_nCheck = 0;
    bool m_bRadio = false;
    bool m_bCheckChanged = false;
};
