#pragma once
// TUpDown: the common controls' up-down (msctls_updown32), optionally
// bound to a buddy control whose text shows the position.

#include <windows.h>

#include <functional>

#include "classlib/win/Controls.h"

namespace cl {

enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };

using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
// AllowChange false refuses the step.
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TCustomUpDown : public TWinControl {
    CL_CLASS(TCustomUpDown, TWinControl)
public:
    explicit TCustomUpDown(TComponent* owner);

    // The buddy: the up-down stands at its right edge and writes the
    // position into its text.
    TWinControl* Associate() const { return associate_; }
    void SetAssociate(TWinControl* value);
    int Min() const { return min_; }
    void SetMin(int value);
    int Max() const { return max_; }
    void SetMax(int value);
    // Read from the window, so it includes the user's steps.
    int Position() const;
    void SetPosition(int value);
    int Increment() const { return increment_; }
    void SetIncrement(int value);
    TUDOrientation Orientation() const { return orientation_; }
    void SetOrientation(TUDOrientation value);
    // Stepping past one end goes on at the other.
    bool Wrap() const { return wrap_; }
    void SetWrap(bool value);

    void WndProc(TMessage& message) override;

    // After a step: btNext up (or right), btPrev down.
    TUDClickEvent OnClick;
    // Before a step; may refuse it.
    TUDChangingEvent OnChanging;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual bool CanChange();
    virtual void Click(TUDBtnType button);

private:
    void SendRange();

    TWinControl* associate_ = nullptr;
    int min_ = 0;
    int max_ = 100;
    mutable int position_ = 0;
    int increment_ = 1;
    TUDOrientation orientation_ = udVertical;
    bool wrap_ = false;
    TUDBtnType pendingButton_ = btNext;
};

class TUpDown : public TCustomUpDown {
    CL_CLASS(TUpDown, TCustomUpDown)
public:
    using TCustomUpDown::TCustomUpDown;
};

}  // namespace cl
