#pragma once
#include "platform/Colorref.h"

// Pen styles, brush styles and raster operations used by the drawing code.
enum { PS_SOLID = 0, PS_DOT = 2, PS_NULL = 5 };
enum { BS_SOLID = 0, BS_NULL = 1 };
enum { R2_NOT = 6, R2_COPYPEN = 13 };
enum { ALTERNATE = 1, WINDING = 2 };
constexpr uint32_t DSTINVERT = 0x00550009;
constexpr uint32_t SRCCOPY = 0x00CC0020;

struct LOGBRUSH {
    uint32_t lbStyle;
    COLORREF lbColor;
    uintptr_t lbHatch;
};

// A pen: created once, selected into a device context, deleted by its owner.
class CPen {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    bool CreatePen(int style, int width, COLORREF color) {
        m_style = style;
        m_width = width;
        m_color = color;
        m_valid = true;
        return true;
    }
    bool DeleteObject() {
        const bool was = m_valid;
        m_valid = false;
        return was;
    }
    bool IsValid() const { return m_valid; }
    int Style() const { return m_style; }
    int Width() const { return m_width; }
    COLORREF Color() const { return m_color; }

private:
    int m_style = PS_SOLID;
    int m_width = 1;
    COLORREF m_color = 0;
    bool m_valid = false;
};

class CBrush {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    bool CreateSolidBrush(COLORREF color) {
        m_style = BS_SOLID;
        m_color = color;
        m_valid = true;
        return true;
    }
    bool CreateBrushIndirect(const LOGBRUSH* lb) {
        m_style = static_cast<int>(lb->lbStyle);
        m_color = lb->lbColor;
        m_valid = true;
        return true;
    }
    bool DeleteObject() {
        const bool was = m_valid;
        m_valid = false;
        return was;
    }
    bool UnrealizeObject() { return m_valid; }
    bool IsValid() const { return m_valid; }
    bool IsHollow() const { return m_style == BS_NULL; }
    COLORREF Color() const { return m_color; }

private:
    int m_style = BS_SOLID;
    COLORREF m_color = 0;
    bool m_valid = false;
};
