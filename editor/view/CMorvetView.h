#pragma once
#include "document/IMorvetDocView.h"
#include "object/CShape.h"
#include "platform/CCmdUI.h"
#include "platform/CDC.h"
#include "platform/CRect.h"
#include "platform/VirtualKeys.h"
#include "tools/CToolSet.h"
#include "view/CViewCommand.h"
#include "view/ViewZoom.h"

#include <QImage>
#include <QPointF>
#include <QRegion>
#include <QWidget>
#include <vector>

class CMorvetDoc;
class CPrintInfo;
class QScrollBar;

// The drawing view: shows its document's object on a black canvas with the
// object's origin at the middle of the window, keeps a selection of its own and
// hands mouse and key input to its current tool.
//
// The window's contents live in an image, the surface. Drawing outside repaints
// (rubber bands, inverted marks, animation frames) goes straight into it through
// a CClientDC; invalidated areas are redrawn by OnDraw before the next frame,
// and the paint event only copies the surface to the screen.
class CViewHost;

class CMorvetView : public QWidget, public IMorvetDocView {
    Q_OBJECT
public:
    explicit CMorvetView(CMorvetDoc* pDoc, QWidget* parent = nullptr);
    ~CMorvetView() override;

    CMorvetDoc* GetDocument() const { return m_pDocument; }
    // The application showing this window; none in a test or a print from
    // the command line.
    CViewHost* Host() const { return m_pHost; }
    void SetHost(CViewHost* pHost) { m_pHost = pHost; }

    // Framework hooks.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    void OnActivateView(bool bActivate, CMorvetView* pActivateView, CMorvetView* pDeactiveView);
    void OnUpdate(CViewBase* pSender, long lHint, void* pHint) override;
    void OnDraw(CDC* pDC);
    // Printing hooks, run by CPrintJob.
    bool OnPreparePrinting(CPrintInfo* pInfo);
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    bool IsSelected(const CPrimitive* prim) const;

    // Operations used by the tools and the commands. The conversions are the
    // one place where zoom and scrolling live: logical units are object units
    // about the window's anchor, its middle m in pixels, and a logical point L
    // shows at device m + scroll + zoom x (L - m), rounded to the nearest pixel
    // (and a pixel to the nearest unit).
    void DeviceToLogical(POINT* pt);
    void DeviceToLogical(RECT* rect);
    void LogicalToDevice(POINT* pts, int n = 1);
    void LogicalToDevice(RECT* rect);
    // The object holds file coordinates; logical units are those plus the
    // window's anchor (its middle), wrapping at the ends of the 32-bit range
    // as a move does, so that arithmetic done in logical units gives the same
    // result in every window and converting back restores every point.
    CPoint Anchor() const { return ClientMiddle(); }
    void ObjectToLogical(POINT* pts, int n = 1) const;
    void LogicalToObject(POINT* pts, int n = 1) const;
    void SelectElement(CPrimitive* prim, bool add) override;
    void SelectInRect(CRect rect, bool add);
    void DeselectElement(CPrimitive* prim);
    void InvalidateElement(CPrimitive* prim);
    void OnShapeReplaced() override;

    // Window services.
    CRect GetClientRect() const;
    void InvalidateRect(const CRect* rect, bool bErase = true);
    void Invalidate(bool bErase = true) { InvalidateRect(nullptr, bErase); }
    // Redraws every invalid area into the surface now and shows it.
    void UpdateWindow();
    bool HasCapture() const;
    void SetCapture();
    void ReleaseCapture();
    // 0 for the standard arrow, or IDC_DRAWCROSS / IDC_MASSCENTER.
    void SetToolCursor(int cursorId);
    // A message in the main window's status bar, kept for whoever asks.
    void ShowStatus(const QString& text);
    const QString& StatusText() const { return m_statusText; }
    const QImage& Surface() const { return m_surface; }
    QImage& Surface() { return m_surface; }

    // Marks a place in file units (relative to the center of mass) with a
    // ring until called with null; used for the place of a physics problem.
    void SetPlaceMark(const QPointF* place);
    bool HasPlaceMark() const { return m_bShowPlaceMark; }
    // Zoom and scrolling of this window.
    CZoom Zoom() const { return m_zoom; }
    CPoint ScrollOffset() const { return m_scroll; }
    // Changes the zoom keeping the object point under the device point where it is.
    void SetZoom(CZoom zoom, const CPoint& about);
    // Moves the drawing by dx, dy pixels (right and down for positive values).
    void ScrollBy(int dx, int dy);
    // 100 %, no scrolling and no scroll bars: the window as it was before the
    // user zoomed.
    void ResetZoom();
    // The zoom and scrolling that show every element with a margin of 5 % of
    // the window; 100 % for an empty object.
    void FitObject();
    // Where the pointer is, in object units from the center of mass (y
    // down); false while it is outside the window. While a tool drags a
    // vertex, where that vertex is.
    bool PointerUnits(CPoint* units);
    // The pixel offset between the view's device coordinates and those of a
    // context it prepared (an off-screen image of part of the window).
    CPoint PixelOffset(const CDC* pDC) const;

    // Command routing: with pCmdUI the command's update handler runs and the
    // result says whether the view has one; without, the command runs.
    bool OnCmdMsg(int nID, CCmdUI* pCmdUI);
    // Every command a view answers, each registered once with its texts,
    // keys and handlers.
    static const std::vector<CViewCommand>& Commands();

    // Puts a logical point on the nearest grid point when snapping applies to
    // input with these mouse flags: the program's Snap to Grid, turned round
    // while Ctrl is held.
    bool SnapsToGrid(UINT nFlags) const;
    void SnapPoint(POINT* logical, UINT nFlags) const;

    // The virtual-key code a tool receives for a Qt key; every real key has
    // one, since a tool may act on any key.
    static UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers mods);

    // The tool that mouse and key input go to, one of this view's own.
    CShapeTool* CurrentTool() const { return m_pCurrentTool; }
    void UseTool(int nToolType);
    // This view's own tool for a code, whether current or not.
    CShapeTool* Tool(int nToolType) { return m_tools.ForType(nToolType); }
    // A tool from outside the view's own; the caller keeps it alive while used.
    void UseTool(CShapeTool* pTool) { m_pCurrentTool = pTool; }

    // The selected elements, in the order they were selected.
    const std::vector<CPrimitive*>& Selection() const { return m_selection; }
    // Replaces the selection wholesale; repainting is the caller's.
    void SetSelection(std::vector<CPrimitive*> selection);
    // Empties the selection and gives back its memory; repainting is the caller's.
    void ClearSelection();

    CPen m_centerPen;
    CShape* m_pSpinShape = nullptr;
    bool m_bShowCenter = true;
    bool m_bShowGrid;
    bool m_bActive = false;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The commands of the view, one file per menu; each appends its own.
    static void AddEditCommands(std::vector<CViewCommand>& commands);
    static void AddObjectCommands(std::vector<CViewCommand>& commands);
    static void AddPrintCommands(std::vector<CViewCommand>& commands);
    static void AddZoomCommands(std::vector<CViewCommand>& commands);
    static void AddGridCommands(std::vector<CViewCommand>& commands);
    static void AddReferenceCommands(std::vector<CViewCommand>& commands);
    // The document's reference image, under the object, through the mapping
    // of pDC; origin is the center of mass in logical units.
    void DrawReferenceImage(CDC* pDC, const CPoint& origin);
    void OnViewReferenceImage();
    void OnObjectTraceImage();

    // Grid lines through origin under the object, inside the logical clip box.
    void DrawGrid(CDC* pDC, const CRect& clip, const CPoint& origin);

    void CreateScrollBars();
    // Shows a bar for each direction in which the object at the current zoom,
    // with its margin, is not all in sight; only once the user has zoomed or
    // scrolled.
    void UpdateScrollBars();
    // The bounding box of all elements as this window shows them, in units,
    // one unit wider for the outline; false for an empty object.
    bool ObjectBox(CRect* box) const;
    void RedrawInvalid();
    // Repaints the document's other windows whole if the document changed
    // since they were last told.
    void ShowChangesInOtherViews();
    void MapPoints(POINT* pts, int n, bool toLogical);
    // Where this window puts the object's origin when it draws.
    CPoint ClientMiddle() const;
    static UINT MouseFlags(const QMouseEvent* event);
    // An inactive view hands its tool no mouse input, so a drag still holding
    // the mouse when another window takes over would never see its release
    // and would keep the mouse from every window.
    void EndDragOnDeactivate();

    void DrawPlaceMark(CDC* dc, const CPoint& origin);

    CMorvetDoc* m_pDocument;
    CViewHost* m_pHost = nullptr;
    CToolSet m_tools;
    CShapeTool* m_pCurrentTool = nullptr;
    std::vector<CPrimitive*> m_selection;
    bool m_bShowPlaceMark = false;
    QPointF m_placeMark;
    CZoom m_zoom;
    CPoint m_scroll;
    // The scroll before rounding to pixels: zooming about the pointer again
    // and again keeps the same object point under it, with no drift.
    double m_scrollExactX = 0, m_scrollExactY = 0;
    void SetExactScroll(double x, double y);
    bool m_bScrollBarsAllowed = false;
    QScrollBar* m_pHScroll = nullptr;
    QScrollBar* m_pVScroll = nullptr;
    QWidget* m_pScrollCorner = nullptr;
    // A middle-button drag moves the drawing, whatever the tool.
    bool m_bPanning = false;
    CPoint m_ptPanLast;
    bool m_bPointerInside = false;
    CPoint m_ptLastMouse;
    bool m_bButtonDown = false;
    QImage m_surface;
    QImage m_attributeImage{1, 1, QImage::Format_RGB32};
    QRegion m_invalid;
    QString m_statusText;
};
