#include "view/CMorvetView.h"

#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "res/Cursors.h"
#include "tools/CShapeTool.h"
#include "view/Grid.h"

#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QStatusBar>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {
constexpr int kMarkSize = 7;
constexpr int kMarkOffset = 3;
constexpr int kMaxInvalidRects = 64;

// Key codes the tools never test by name, for the keys of the main keyboard
// and the numeric pad that VirtualKeys.h does not list.
constexpr UINT kVkMultiply = 0x6A;
constexpr UINT kVkDecimal = 0x6E;
constexpr UINT kVkDivide = 0x6F;
constexpr UINT kVkOemSemicolon = 0xBA;
constexpr UINT kVkOemComma = 0xBC;
constexpr UINT kVkOemPeriod = 0xBE;
constexpr UINT kVkOemSlash = 0xBF;
constexpr UINT kVkOemBackquote = 0xC0;
constexpr UINT kVkOemOpenBracket = 0xDB;
constexpr UINT kVkOemBackslash = 0xDC;
constexpr UINT kVkOemCloseBracket = 0xDD;
constexpr UINT kVkOemQuote = 0xDE;
// Any other key: shifted symbols, dead keys, keys of other layouts.
constexpr UINT kVkOther = 0xFC;

// A corner at the very end of the coordinate range is far off any window.
bool IsMarkDrawable(const POINT& p) {
    constexpr int32_t kFar = INT32_MAX - kMarkSize;
    return !(p.x < -kFar || p.x > kFar || p.y < -kFar || p.y > kFar);
}

void InvertMark(CDC* pDC, const POINT& p) {
    pDC->PatBlt(p.x - kMarkOffset, p.y - kMarkOffset, kMarkSize, kMarkSize, DSTINVERT);
}

} // namespace

CMorvetView::CMorvetView(CMorvetDoc* pDoc, QWidget* parent)
    : QWidget(parent), m_bShowGrid(ProgramGrid().showGrid), m_pDocument(pDoc) {
    m_centerPen.CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    m_pCurrentTool = m_tools.ForType(TOOL_SELECT);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    CreateScrollBars();
    m_pDocument->AddView(this);
}

CMorvetView::~CMorvetView() {
    // A vertex grabbed through this window is let go with it.
    m_pDocument->ReleaseGrabbedVertex();
    m_pDocument->RemoveView(this);
    m_centerPen.DeleteObject();
}

void CMorvetView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
    // Printing keeps its own mapping; at 100 % with no scrolling a unit is a
    // pixel exactly as it always was.
    if (pInfo || pDC->IsPrinting() || (m_zoom.IsActual() && m_scroll == CPoint(0, 0)))
        return;
    const CPoint m = ClientMiddle();
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_zoom.den, m_zoom.den);
    pDC->SetViewportExt(m_zoom.num, m_zoom.num);
    pDC->SetWindowOrg(m.x, m.y);
    pDC->SetViewportOrg(m.x + m_scroll.x, m.y + m_scroll.y);
}

void CMorvetView::OnActivateView(bool bActivate, CMorvetView*, CMorvetView*) {
    if (!bActivate && m_bActive && HasCapture())
        EndDragOnDeactivate();
    if (bActivate != m_bActive) {
        if (bActivate)
            m_bActive = true;
        if (!m_selection.empty())
            OnUpdate(nullptr, 2, nullptr);
        m_bActive = bActivate;
    }
}

void CMorvetView::OnUpdate(CViewBase*, long lHint, void* pHint) {
    if (lHint == HINT_ELEMENT_ADDED && pHint) {
        const CShape* shape = static_cast<const CShape*>(pHint);
        if (!shape->m_elements.empty())
            InvalidateElement(shape->m_elements.back());
        UpdateScrollBars();
        return;
    }
    Invalidate(true);
    UpdateScrollBars();
}

void CMorvetView::OnDraw(CDC* pDC) {
    CMorvetDoc* pDoc = GetDocument();
    const bool printing = pDC->IsPrinting();
    CRect clip;
    pDC->GetClipBox(&clip);
    CRect devClip;
    pDC->GetDeviceClipBox(&devClip);
    // Below one pixel per unit the clip box's rounding may cut off an element
    // that still reaches a pixel of the box.
    if (!printing && !m_zoom.IsActual()) {
        const int64_t grow = m_zoom.den / m_zoom.num + 2;
        const auto widen = [](int64_t v) {
            return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                               std::numeric_limits<int32_t>::max()));
        };
        clip = CRect(widen(clip.left - grow), widen(clip.top - grow), widen(clip.right + grow),
                     widen(clip.bottom + grow));
    }
    pDC->SetBkColor(RGB(0, 0, 0));

    // Composed off screen in one image of the clip box's size, so a repaint
    // never shows the black fill before the elements.
    std::unique_ptr<QImage> bitmap;
    std::unique_ptr<CDC> memDC;
    if (!printing && !devClip.IsRectEmpty()) {
        bitmap = std::make_unique<QImage>(devClip.Width(), devClip.Height(), QImage::Format_RGB32);
        if (!bitmap->isNull()) {
            memDC = std::make_unique<CDC>(bitmap.get());
            OnPrepareDC(memDC.get());
            memDC->OffsetViewportOrg(-devClip.left, -devClip.top);
            memDC->IntersectClipRect(clip);
        }
    }
    CDC* dc = memDC ? memDC.get() : pDC;

    CBrush background(RGB(0, 0, 0));
    background.UnrealizeObject();
    dc->FillRect(clip, &background);

    // The object's origin shows at the window's anchor, its middle taken as a
    // logical point. A printer context converts it first, as it always has.
    CPoint c = ClientMiddle();
    if (printing)
        pDC->LPtoDP(&c);

    // The reference image and the grid belong to the window, never to paper.
    if (!printing) {
        DrawReferenceImage(dc, c);
        if (m_bShowGrid)
            DrawGrid(dc, clip, c);
    }
    // The spinning copy is already in logical units.
    if (m_pSpinShape)
        m_pSpinShape->Draw(dc, &clip);
    else
        pDoc->m_shape.Draw(dc, &clip, c);

    if (!printing) {
        // Marks keep their size in pixels: their corners are mapped, their
        // boxes are not.
        std::vector<CPoint> marks;
        marks.reserve(m_selection.size() * 4 + 1);
        for (const CPrimitive* prim : m_selection) {
            CRect r;
            GetPrimitiveRect(prim, &r, c);
            marks.push_back(r.TopLeft());
            marks.push_back(CPoint(r.right, r.top));
            marks.push_back(r.BottomRight());
            marks.push_back(CPoint(r.left, r.bottom));
        }
        // Every window of the document marks its grabbed vertex.
        if (const POINT* grabbed = pDoc->GrabbedVertex())
            marks.push_back(CPoint(*grabbed) + c);
        std::vector<CPoint> onDevice = marks;
        if (!onDevice.empty())
            dc->LPtoDP(onDevice.data(), int(onDevice.size()));
        CDevicePixels pixels(dc);
        for (size_t i = 0; i < marks.size(); ++i)
            if (IsMarkDrawable(marks[i]) && IsMarkDrawable(onDevice[i]))
                InvertMark(dc, onDevice[i]);
    }

    m_pCurrentTool->DrawFeedback(this, dc);
    if (m_bShowPlaceMark)
        DrawPlaceMark(dc, c);

    if (m_bShowCenter) {
        CPoint at = c;
        // On paper the cross is drawn in the printer's units as it always was.
        std::unique_ptr<CDevicePixels> pixels;
        if (!printing) {
            dc->LPtoDP(&at);
            pixels = std::make_unique<CDevicePixels>(dc);
        }
        CPen* old = dc->SelectObject(&m_centerPen);
        DrawCenterOfMassCross(dc, at);
        dc->SelectObject(old);
    }

    if (memDC) {
        memDC.reset();
        QPainter* p = pDC->Painter();
        p->save();
        p->resetTransform();
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->drawImage(QPoint(devClip.left, devClip.top), *bitmap);
        p->restore();
    }
}

bool CMorvetView::IsSelected(const CPrimitive* prim) const {
    return std::find(m_selection.begin(), m_selection.end(), prim) != m_selection.end();
}

// Conversions go through a context prepared as the window's own would be, on
// a one-pixel image kept for the purpose: they run on every pointer move.
void CMorvetView::MapPoints(POINT* pts, int n, bool toLogical) {
    CDC dc(&m_attributeImage);
    OnPrepareDC(&dc);
    if (toLogical)
        dc.DPtoLP(pts, n);
    else
        dc.LPtoDP(pts, n);
}

void CMorvetView::ObjectToLogical(POINT* pts, int n) const {
    const CPoint a = Anchor();
    for (int i = 0; i < n; ++i)
        pts[i] = CPoint(pts[i]) + a;
}

void CMorvetView::LogicalToObject(POINT* pts, int n) const {
    const CPoint a = Anchor();
    for (int i = 0; i < n; ++i)
        pts[i] = CPoint(pts[i]) - a;
}

void CMorvetView::DeviceToLogical(POINT* pt) {
    MapPoints(pt, 1, true);
}

void CMorvetView::DeviceToLogical(RECT* rect) {
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    MapPoints(corners, 2, true);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void CMorvetView::LogicalToDevice(POINT* pts, int n) {
    MapPoints(pts, n, false);
}

void CMorvetView::LogicalToDevice(RECT* rect) {
    POINT corners[2] = {{rect->left, rect->top}, {rect->right, rect->bottom}};
    MapPoints(corners, 2, false);
    *rect = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    static_cast<CRect*>(rect)->NormalizeRect();
}

void CMorvetView::SelectElement(CPrimitive* prim, bool add) {
    if (!add) {
        OnUpdate(nullptr, 2, nullptr);
        m_selection.clear();
        m_selection.shrink_to_fit();
    }
    if (!prim || IsSelected(prim))
        return;
    m_selection.push_back(prim);
    InvalidateElement(prim);
}

void CMorvetView::SelectInRect(CRect rect, bool add) {
    if (!add)
        SelectElement(nullptr, false);
    DeviceToLogical(&rect);
    rect.NormalizeRect();
    CShape& shape = GetDocument()->m_shape;
    for (int i = 0; i < shape.GetSize(); ++i) {
        CRect r, meet;
        GetPrimitiveHitRect(shape.m_elements[size_t(i)], &r, Anchor());
        if (meet.IntersectRect(r, rect))
            SelectElement(shape.m_elements[size_t(i)], true);
    }
}

void CMorvetView::DeselectElement(CPrimitive* prim) {
    const auto it = std::find(m_selection.begin(), m_selection.end(), prim);
    if (it == m_selection.end())
        return;
    InvalidateElement(prim);
    m_selection.erase(std::find(m_selection.begin(), m_selection.end(), prim));
}

void CMorvetView::InvalidateElement(CPrimitive* prim) {
    CRect r;
    GetPrimitiveRect(prim, &r, Anchor());
    LogicalToDevice(&r);
    // Widened in 64 bits: an element at the end of the coordinate range must
    // not wrap around into an empty rectangle and leave its pixels stale.
    int64_t left = r.left, top = r.top, right = r.right, bottom = r.bottom;
    if (!m_zoom.IsActual()) {
        // The rectangle's corners were rounded to pixels.
        left -= 1;
        top -= 1;
        right += 1;
        bottom += 1;
    }
    if (m_bActive && IsSelected(prim)) {
        left -= 4;
        top -= 5;
        right += 5;
        bottom += 4;
    }
    const auto clamp = [](int64_t v) {
        return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                           std::numeric_limits<int32_t>::max()));
    };
    const CRect area(clamp(left - 1), clamp(top - 1), clamp(right + 1), clamp(bottom + 1));
    InvalidateRect(&area, false);
}

void CMorvetView::OnShapeReplaced() {
    // Every element is about to be destroyed: no pointer into them may survive.
    m_selection.clear();
}

CRect CMorvetView::GetClientRect() const {
    return CRect(0, 0, width(), height());
}

void CMorvetView::InvalidateRect(const CRect* rect, bool) {
    const QRect client(0, 0, width(), height());
    QRect area = client;
    if (rect) {
        // Cut to the client area before Qt sees it: QRect's own arithmetic
        // overflows near the ends of the coordinate range.
        CRect visible;
        if (!visible.IntersectRect(*rect, GetClientRect()))
            return;
        area =
            QRect(QPoint(visible.left, visible.top), QPoint(visible.right - 1, visible.bottom - 1));
    }
    if (area.isEmpty())
        return;
    m_invalid += area;
    // Thousands of scattered rectangles (a large selection changing) would make
    // the region itself the cost; past a few dozen, one bounding box redraws
    // the same pixels.
    if (m_invalid.rectCount() > kMaxInvalidRects) {
        m_invalid = m_invalid.boundingRect();
        area = m_invalid.boundingRect();
    }
    update(area);
}

void CMorvetView::RedrawInvalid() {
    if (m_invalid.isEmpty() || m_surface.isNull())
        return;
    const QRegion region = m_invalid;
    m_invalid = QRegion();
    CDC dc(&m_surface);
    dc.SetDeviceClipRegion(region);
    OnPrepareDC(&dc);
    OnDraw(&dc);
}

void CMorvetView::UpdateWindow() {
    RedrawInvalid();
    repaint();
}

bool CMorvetView::HasCapture() const {
    return QWidget::mouseGrabber() == this;
}

void CMorvetView::SetCapture() {
    grabMouse();
}

void CMorvetView::ReleaseCapture() {
    if (HasCapture())
        releaseMouse();
}

void CMorvetView::ShowStatus(const QString& text) {
    m_statusText = text;
    if (auto* frame = qobject_cast<QMainWindow*>(window()))
        frame->statusBar()->showMessage(text);
}

void CMorvetView::SetToolCursor(int cursorId) {
    setCursor(LoadToolCursor(cursorId));
}

const std::vector<CViewCommand>& CMorvetView::Commands() {
    static const std::vector<CViewCommand> commands = [] {
        std::vector<CViewCommand> all;
        AddEditCommands(all);
        AddObjectCommands(all);
        AddPrintCommands(all);
        AddZoomCommands(all);
        AddGridCommands(all);
        AddReferenceCommands(all);
        return all;
    }();
    return commands;
}

bool CMorvetView::OnCmdMsg(int nID, CCmdUI* pCmdUI) {
    const auto& commands = Commands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [nID](const CViewCommand& c) { return c.info.id == nID; });
    if (it == commands.end())
        return false;
    if (pCmdUI) {
        if (it->update)
            it->update(*this, pCmdUI);
        return true;
    }
    it->run(*this);
    ShowChangesInOtherViews();
    return true;
}

void CMorvetView::ShowChangesInOtherViews() {
    // The commands and tools repaint this window as they go; the document's
    // other windows learn of a change once the command or the drag is done,
    // not at every pointer move.
    CMorvetDoc* pDoc = GetDocument();
    if (pDoc->HasChangesNotShown())
        pDoc->UpdateAllViews(this, 0, nullptr);
}

bool CMorvetView::event(QEvent* event) {
    // A modal dialog opened from a key mid-drag blocks the mouse release on
    // its way here, and the drag's hold on the mouse would leave the dialog
    // deaf to it.
    if (event->type() == QEvent::WindowDeactivate && HasCapture())
        EndDragOnDeactivate();
    return QWidget::event(event);
}

void CMorvetView::paintEvent(QPaintEvent* event) {
    RedrawInvalid();
    QPainter p(this);
    p.drawImage(event->rect(), m_surface, event->rect());
}

void CMorvetView::resizeEvent(QResizeEvent* event) {
    QImage surface(event->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    surface.fill(Qt::black);
    m_surface = surface;
    // The object follows the middle of the window, so all of it moves: redraw all.
    m_invalid = QRegion();
    Invalidate(true);
    UpdateScrollBars();
}

UINT CMorvetView::MouseFlags(const QMouseEvent* event) {
    UINT flags = 0;
    if (event->buttons() & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (event->buttons() & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

namespace {
CPoint ClientPoint(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return CPoint(p.x(), p.y());
}
} // namespace

CPoint CMorvetView::PixelOffset(const CDC* pDC) const {
    // The anchor maps to m + scroll exactly, whatever the zoom.
    const CPoint m = ClientMiddle();
    CPoint at = m;
    pDC->LPtoDP(&at);
    return CPoint(at.x - (m.x + m_scroll.x), at.y - (m.y + m_scroll.y));
}

CPoint CMorvetView::ClientMiddle() const {
    const CRect client = GetClientRect();
    return CPoint((client.right - client.left) / 2, (client.bottom - client.top) / 2);
}

void CMorvetView::EndDragOnDeactivate() {
    // The drag ends as if the button came up where the pointer was last seen;
    // a path still being collected ends as a key ends it.
    if (m_bButtonDown) {
        m_bButtonDown = false;
        m_pCurrentTool->MouseUp(this, 0, m_ptLastMouse);
    }
    // Return, not Escape: Escape would take the path back.
    if (HasCapture())
        m_pCurrentTool->KeyDown(this, VK_RETURN, 1, 0);
    ReleaseCapture();
    ShowChangesInOtherViews();
}

void CMorvetView::mousePressEvent(QMouseEvent* event) {
    m_ptLastMouse = ClientPoint(event);
    if (event->button() == Qt::MiddleButton) {
        m_bPanning = true;
        m_ptPanLast = ClientPoint(event);
        setCursor(Qt::ClosedHandCursor);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_bButtonDown = true;
    setFocus(Qt::MouseFocusReason);
    const CVertexRef grabbed = GetDocument()->GrabbedVertexRef();
    if (m_bActive)
        m_pCurrentTool->MouseDown(this, MouseFlags(event), ClientPoint(event));
    // Every window of the document marks the grabbed vertex; one let go
    // must not stay marked in the others.
    if (GetDocument()->GrabbedVertexRef() != grabbed)
        GetDocument()->UpdateAllViews(this, 0, nullptr);
    else
        ShowChangesInOtherViews();
}

void CMorvetView::mouseReleaseEvent(QMouseEvent* event) {
    m_ptLastMouse = ClientPoint(event);
    if (event->button() == Qt::MiddleButton && m_bPanning) {
        m_bPanning = false;
        unsetCursor();
        // The tool puts its own cursor back with the next move.
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    m_bButtonDown = false;
    if (m_bActive)
        m_pCurrentTool->MouseUp(this, MouseFlags(event), ClientPoint(event));
    ShowChangesInOtherViews();
}

void CMorvetView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (m_bActive)
        m_pCurrentTool->MouseDoubleClick(this, MouseFlags(event), ClientPoint(event));
    ShowChangesInOtherViews();
}

void CMorvetView::mouseMoveEvent(QMouseEvent* event) {
    m_ptLastMouse = ClientPoint(event);
    m_bPointerInside = true;
    if (m_bPanning) {
        ScrollBy(m_ptLastMouse.x - m_ptPanLast.x, m_ptLastMouse.y - m_ptPanLast.y);
        m_ptPanLast = m_ptLastMouse;
        return;
    }
    if (m_bActive)
        m_pCurrentTool->MouseMove(this, MouseFlags(event), ClientPoint(event));
}

namespace {
// Alt, keys pressed with Alt (but not with Ctrl as well, as AltGr is) and F10
// belong to the menus and the accelerators; a tool never sees them, so they do
// not end a path being collected before, say, Alt+Backspace undoes.
bool IsSystemKey(int qtKey, Qt::KeyboardModifiers mods) {
    if (mods & Qt::ControlModifier)
        return false;
    return qtKey == Qt::Key_Alt || qtKey == Qt::Key_F10 || (mods & Qt::AltModifier);
}
} // namespace

void CMorvetView::keyPressEvent(QKeyEvent* event) {
    const UINT vk = IsSystemKey(event->key(), event->modifiers())
                        ? 0
                        : VirtualKeyFromQt(event->key(), event->modifiers());
    if (vk != 0) {
        const UINT flags = event->isAutoRepeat() ? 0x4000 : 0;
        m_pCurrentTool->KeyDown(this, vk, UINT(std::max(1, event->count())), flags);
        ShowChangesInOtherViews();
    }
    QWidget::keyPressEvent(event);
}

void CMorvetView::leaveEvent(QEvent* event) {
    m_bPointerInside = false;
    QWidget::leaveEvent(event);
}

bool CMorvetView::PointerUnits(CPoint* units) {
    // A dragged vertex shows where it is, not where the pointer is.
    if (m_pCurrentTool->DraggedPointUnits(this, units))
        return true;
    if (!m_bPointerInside)
        return false;
    // Converted when asked: a zoom or scroll changes it without a move.
    CPoint p = m_ptLastMouse;
    DeviceToLogical(&p);
    const CPoint m = ClientMiddle();
    *units = CPoint(p.x - m.x, p.y - m.y);
    return true;
}

// Tab belongs to the select tool, not to focus navigation.
bool CMorvetView::focusNextPrevChild(bool) {
    return false;
}

UINT CMorvetView::VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers mods) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return UINT('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return UINT('0' + (qtKey - Qt::Key_0));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return VK_F1 + UINT(qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return VK_LWIN;
    case Qt::Key_CapsLock:
        return VK_CAPITAL;
    case Qt::Key_NumLock:
        return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
        return VK_SCROLL;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Plus:
        return (mods & Qt::KeypadModifier) ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Equal:
        return VK_OEM_PLUS;
    case Qt::Key_Minus:
        return (mods & Qt::KeypadModifier) ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Asterisk:
        return (mods & Qt::KeypadModifier) ? kVkMultiply : kVkOther;
    case Qt::Key_Slash:
        return (mods & Qt::KeypadModifier) ? kVkDivide : kVkOemSlash;
    case Qt::Key_Comma:
        return kVkOemComma;
    case Qt::Key_Period:
        return (mods & Qt::KeypadModifier) ? kVkDecimal : kVkOemPeriod;
    case Qt::Key_Semicolon:
        return kVkOemSemicolon;
    case Qt::Key_QuoteLeft:
        return kVkOemBackquote;
    case Qt::Key_BracketLeft:
        return kVkOemOpenBracket;
    case Qt::Key_Backslash:
        return kVkOemBackslash;
    case Qt::Key_BracketRight:
        return kVkOemCloseBracket;
    case Qt::Key_Apostrophe:
        return kVkOemQuote;
    case 0:
        return 0;
    default:
        // Every key press reaches the tool (a path being collected ends on
        // any key), also shifted symbols and keys without a code of their own.
        return kVkOther;
    }
}

void CMorvetView::UseTool(int nToolType) {
    m_pCurrentTool = m_tools.ForType(nToolType);
}

void CMorvetView::ClearSelection() {
    m_selection.clear();
    m_selection.shrink_to_fit();
}

void CMorvetView::SetSelection(std::vector<CPrimitive*> selection) {
    m_selection = std::move(selection);
}
