#pragma once
// TXcTextListBox: a list box whose horizontal extent follows its widest
// item (its text and an "x", in the list's font), so a horizontal scroll
// bar shows whenever an item is wider than the box, and goes when the
// items that needed it do.

#include "classlib/win/StdCtrls.h"
#include "controls/win/XcEnhancedControl.h"

class TXcTextListBox : public TXcEnhanced<cl::TCustomListBox> {
    CL_CLASS(TXcTextListBox, TXcEnhanced<cl::TCustomListBox>)
public:
    using TXcEnhanced::TXcEnhanced;

    // The horizontal extent last sent: the widest item's width in pixels.
    int MaxItemWidth() const { return maxWidth_; }

    void WndProc(cl::TMessage& message) override;

protected:
    void CreateWnd() override;

private:
    // The item's width; 0 for an index the list does not have.
    int ItemWidth(int index);
    void SendExtent();
    void MeasureAll();

    int maxWidth_ = 0;
};
