// The reference image: View > Reference Image and Hide Reference Image, its
// drawing under the object, and Object > Trace Image.
#include "dialogs/CReferenceImageDialog.h"
#include "dialogs/CTraceImageDialog.h"
#include "document/CDocEdit.h"
#include "document/CMorvetDoc.h"
#include "res/CommandIds.h"
#include "trace/TraceToShape.h"
#include "view/CMorvetView.h"
#include "view/CViewHost.h"
#include "view/ReferenceImageStore.h"

#include <QPainter>
#include <cmath>

namespace {
// The file chooser and the messages are the shell's, so that tests can
// answer them; a window without an application has no one to ask.
QString ChooseImageFile(CMorvetView* view) {
    return view->Host() ? view->Host()->ChooseImageFile(view) : QString();
}

void Warn(CMorvetView* view, const QString& text) {
    if (view->Host())
        view->Host()->Warn(view, text);
}

// Squares of this many pixels, whatever the zoom: a backdrop, not part of
// the picture.
constexpr int kCheckerSquare = 8;

QBrush CheckerBrush() {
    QImage tile(2 * kCheckerSquare, 2 * kCheckerSquare, QImage::Format_RGB32);
    tile.fill(QColor(255, 255, 255));
    const QColor grey(204, 204, 204);
    QPainter p(&tile);
    p.fillRect(kCheckerSquare, 0, kCheckerSquare, kCheckerSquare, grey);
    p.fillRect(0, kCheckerSquare, kCheckerSquare, kCheckerSquare, grey);
    return QBrush(tile);
}

// The picture over a light checkerboard, composed apart and then drawn with
// the painter's opacity: the opacity fades both alike, and the picture's
// opaque pixels show exactly as they would without the board.
void DrawOverBackdrop(QPainter& p, const QRectF& target, const QRectF& visible, const QImage& image,
                      const QRectF& source) {
    const QRect area = visible.toAlignedRect();
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (layer.isNull())
        return;
    layer.fill(Qt::transparent);
    QPainter lp(&layer);
    lp.translate(-area.topLeft());
    // The squares keep to the picture's corner, so that a scrolled window,
    // which redraws only the strip it uncovers, shows no seam.
    const double period = 2 * kCheckerSquare;
    lp.setBrushOrigin(QPointF(std::fmod(std::floor(target.left()), period),
                              std::fmod(std::floor(target.top()), period)));
    lp.fillRect(visible, CheckerBrush());
    lp.drawImage(visible, image, source);
    lp.end();
    p.drawImage(area.topLeft(), layer);
}

// Every window of the document shows the change, and the settings remember
// it for the document's file.
void ReferenceChanged(CMorvetView* view) {
    CMorvetDoc* pDoc = view->GetDocument();
    pDoc->UpdateAllViews(nullptr);
    if (view->Host())
        view->Host()->RememberReferenceImage(pDoc);
}
} // namespace

void CMorvetView::DrawReferenceImage(CDC* pDC, const CPoint& origin) {
    const CReferenceImage& ref = GetDocument()->m_reference;
    if (!ref.IsShown() || ref.opacity <= 0)
        return;
    // The mapping's scale and offset, from two points far enough apart that
    // the rounding of each to whole pixels does not show.
    constexpr int kSpan = 1 << 12;
    POINT pts[2] = {{origin.x, origin.y}, {origin.x + kSpan, origin.y + kSpan}};
    pDC->LPtoDP(pts, 2);
    const double sx = double(pts[1].x - pts[0].x) / kSpan;
    const double sy = double(pts[1].y - pts[0].y) / kSpan;
    const double w = ref.image.width() * ref.scale, h = ref.image.height() * ref.scale;
    const QRectF target(pts[0].x + (ref.offsetX - w / 2) * sx,
                        pts[0].y + (ref.offsetY - h / 2) * sy, w * sx, h * sy);
    QPainter* p = pDC->Painter();
    p->save();
    p->resetTransform();
    // Only the part inside the area being redrawn is scaled, however far
    // the picture reaches at a high zoom.
    const QRectF visible =
        p->hasClipping() ? target.intersected(p->clipBoundingRect()) : target.normalized();
    if (!visible.isEmpty() && target.width() > 0 && target.height() > 0) {
        const double fx = ref.image.width() / target.width();
        const double fy = ref.image.height() / target.height();
        const QRectF source((visible.left() - target.left()) * fx,
                            (visible.top() - target.top()) * fy, visible.width() * fx,
                            visible.height() * fy);
        p->setOpacity(ref.opacity / 100.0);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (ref.backdrop)
            DrawOverBackdrop(*p, target, visible, ref.image, source);
        else
            p->drawImage(visible, ref.image, source);
    }
    p->restore();
}

void CMorvetView::OnViewReferenceImage() {
    CMorvetDoc* pDoc = GetDocument();
    CReferenceImage edited = pDoc->m_reference;
    if (!edited.IsLoaded()) {
        const QString path = ChooseImageFile(this);
        if (path.isEmpty())
            return;
        QString why;
        if (!LoadReferenceImage(path, edited, &why)) {
            Warn(this, tr("%1 cannot be used as a reference image. %2").arg(path, why));
            return;
        }
    }
    const CReferenceImage before = pDoc->m_reference;
    CReferenceImageDialog dialog(
        edited, [this] { return ChooseImageFile(this); },
        [this](const QString& text) { Warn(this, text); }, this);
    // The windows show the dialog's values while it is open; Cancel puts
    // back what was there.
    dialog.PreviewWith([pDoc](const CReferenceImage& shown) {
        pDoc->m_reference = shown;
        pDoc->UpdateAllViews(nullptr);
    });
    if (dialog.exec() != QDialog::Accepted) {
        pDoc->m_reference = before;
        pDoc->UpdateAllViews(nullptr);
        return;
    }
    pDoc->m_reference = dialog.Result();
    ReferenceChanged(this);
}

void CMorvetView::OnObjectTraceImage() {
    CMorvetDoc* pDoc = GetDocument();
    if (!pDoc->m_reference.IsShown())
        return;
    CTraceImageDialog dialog(pDoc->m_reference, this);
    if (dialog.exec() != QDialog::Accepted || dialog.Result().outlines.empty())
        return;
    // The picture's middle lies on the center of mass, so the traced
    // coordinates are the object's own.
    CDocEdit edit(*pDoc, nullptr);
    AppendTraceToShape(dialog.Result(), pDoc->m_color, dialog.AddHoles(), pDoc->m_shape);
}

void CMorvetView::AddReferenceCommands(std::vector<CViewCommand>& commands) {
    commands.push_back(
        {{ID_VIEW_REFERENCE_IMAGE, "&Reference Image...",
          "Show a picture under the object, to draw or trace over", "Reference Image"},
         [](CMorvetView& view) { view.OnViewReferenceImage(); }});
    commands.push_back({{ID_VIEW_HIDE_REFERENCE_IMAGE, "Hide Reference Image",
                         "Hide or show the reference image", "Hide Reference Image"},
                        [](CMorvetView& view) {
                            CMorvetDoc* pDoc = view.GetDocument();
                            CReferenceImage& ref = pDoc->m_reference;
                            if (!ref.IsLoaded())
                                return;
                            ref.hidden = !ref.hidden;
                            ReferenceChanged(&view);
                        },
                        [](CMorvetView& view, CCmdUI* ui) {
                            const CReferenceImage& ref = view.GetDocument()->m_reference;
                            ui->Enable(ref.IsLoaded());
                            ui->SetCheck(ref.IsLoaded() && ref.hidden ? 1 : 0);
                        }});
    commands.push_back(
        {{ID_OBJECT_TRACE_IMAGE, "&Trace Image...",
          "Add filled polygons traced from the outlines in the reference image", "Trace Image"},
         [](CMorvetView& view) { view.OnObjectTraceImage(); },
         [](CMorvetView& view, CCmdUI* ui) {
             ui->Enable(view.GetDocument()->m_reference.IsShown());
         }});
}
