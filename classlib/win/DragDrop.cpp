// Drag and drop between the controls of this process: one drag at a time,
// begun by its source control, which holds the mouse until it ends.
#include <cstdlib>

#include "classlib/win/Controls.h"
#include "classlib/win/Forms.h"

namespace cl {

namespace {

struct Drag {
    TControl* source = nullptr;
    TControl* target = nullptr;
    TPoint start{};  // screen
    int threshold = 0;
    bool moving = false;  // past the threshold
    bool accepted = false;
    TPoint point{};  // screen, the last one
};
Drag g_drag;

}  // namespace

void TControl::BeginDrag(bool immediate, int threshold) {
    if (g_drag.source) return;
    POINT p{};
    GetCursorPos(&p);
    // The mouse first: taking it over must not look like losing it.
    SetMouseCapture(true);
    g_drag = Drag{};
    g_drag.source = this;
    g_drag.start = p;
    g_drag.threshold = threshold < 0 ? GetSystemMetrics(SM_CXDRAG) : threshold;
    if (immediate) {
        g_drag.moving = true;
        DragTo(p);
    }
}

void TControl::EndDrag(bool drop) {
    if (g_drag.source == this) FinishDrag(drop);
}

bool TControl::Dragging() const {
    return g_drag.source == this;
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = false;
    if (!OnDragOver) return;
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
    if (OnEndDrag) OnEndDrag(this, target, x, y);
}

void TControl::DragTo(TPoint p) {
    g_drag.point = p;
    TControl* target = FindDragTarget(p, false);
    bool accept = false;
    if (target != g_drag.target) {
        if (TControl* left = g_drag.target) {
            const TPoint at = left->ScreenToClient(p);
            left->DragOver(g_drag.source, at.x, at.y, dsDragLeave, accept);
            accept = false;
        }
        // The control left may have ended the drag.
        if (!g_drag.source) return;
        g_drag.target = target;
        if (target) {
            const TPoint at = target->ScreenToClient(p);
            target->DragOver(g_drag.source, at.x, at.y, dsDragEnter, accept);
        }
    } else if (target) {
        const TPoint at = target->ScreenToClient(p);
        target->DragOver(g_drag.source, at.x, at.y, dsDragMove, accept);
    }
    if (!g_drag.source) return;
    g_drag.accepted = target && accept;
    ::SetCursor(Screen->Cursors(g_drag.accepted ? g_drag.source->DragCursor() : crNoDrop));
}

void TControl::FinishDrag(bool drop) {
    // Over before anyone hears of it: letting go of the mouse below, and
    // the handlers, must not end it again.
    const Drag d = g_drag;
    g_drag = Drag{};
    if (d.source->MouseCapture()) d.source->SetMouseCapture(false);
    ::SetCursor(Screen->Cursors(crArrow));
    TPoint at{};
    if (d.target && d.moving) {
        at = d.target->ScreenToClient(d.point);
        bool ignored = false;
        d.target->DragOver(d.source, at.x, at.y, dsDragLeave, ignored);
    }
    TControl* dropped = drop && d.moving && d.accepted ? d.target : nullptr;
    if (dropped) dropped->DragDrop(d.source, at.x, at.y);
    d.source->DoEndDrag(dropped, at.x, at.y);
}

void TControl::ForgetDrag() noexcept {
    if (g_drag.target == this) {
        g_drag.target = nullptr;
        g_drag.accepted = false;
    }
    if (g_drag.source != this) return;
    g_drag = Drag{};
    if (MouseCapture()) SetCaptureControl(nullptr);
}

bool TControl::HandleDragMessage(TMessage& m) {
    if (g_drag.source != this) return false;
    switch (m.Msg) {
        case WM_MOUSEMOVE: {
            const TPoint p = ClientToScreen(Point(m.XPos(), m.YPos()));
            if (!g_drag.moving) {
                if (std::abs(p.x - g_drag.start.x) <= g_drag.threshold &&
                    std::abs(p.y - g_drag.start.y) <= g_drag.threshold)
                    return true;
                g_drag.moving = true;
            }
            ExceptionBarrier(this, [p] { DragTo(p); });
            return true;
        }
        case WM_LBUTTONUP: {
            const bool moved = g_drag.moving;
            ExceptionBarrier(this, [] { FinishDrag(true); });
            // Released where it was pressed: a click after all.
            return moved;
        }
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            ExceptionBarrier(this, [] { FinishDrag(false); });
            return true;
        case WM_CAPTURECHANGED: {
            // Another window took the mouse.
            auto* own = dynamic_cast<TWinControl*>(this);
            if (own && reinterpret_cast<HWND>(m.LParam) == own->WindowHandle()) return false;
            ExceptionBarrier(this, [] { FinishDrag(false); });
            return false;
        }
        case CN_KEYDOWN:
            if (m.WParam != VK_ESCAPE) return false;
            ExceptionBarrier(this, [] { FinishDrag(false); });
            m.Result = 1;
            return true;
    }
    return false;
}

}  // namespace cl
