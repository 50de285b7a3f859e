#pragma once
// TXcRadioGroup: the class library's radio group with a frame of chosen
// sides and edges (none at all with EdgeBorders empty), a caption that can
// be hidden, ReadOnly, and a hint per item.

#include <functional>
#include <string>

#include "classlib/win/ComCtrls.h"
#include "classlib/win/StdCtrls.h"
#include "controls/win/XcEnhancedControl.h"

constexpr cl::TEdgeBorders kAllEdgeBorders = cl::ebLeft | cl::ebTop | cl::ebRight | cl::ebBottom;

enum TEdgeStyle { esNone, esRaised, esLowered };

// Index is the item under the pointer; HintStr starts as the group's Hint.
using TXcRadioGroupHintEvent = std::function<void(cl::TObject* Sender, int Index, std::string& HintStr)>;

class TXcRadioGroup : public TXcEnhanced<cl::TRadioGroup> {
    CL_CLASS(TXcRadioGroup, TXcEnhanced<cl::TRadioGroup>)
public:
    explicit TXcRadioGroup(cl::TComponent* owner);

    // The user cannot choose another item.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    cl::TEdgeBorders EdgeBorders() const { return edgeBorders_; }
    void SetEdgeBorders(cl::TEdgeBorders value);
    TEdgeStyle EdgeInner() const { return edgeInner_; }
    void SetEdgeInner(TEdgeStyle value);
    TEdgeStyle EdgeOuter() const { return edgeOuter_; }
    void SetEdgeOuter(TEdgeStyle value);
    bool CaptionVisible() const { return captionVisible_; }
    void SetCaptionVisible(bool value);

    TXcRadioGroupHintEvent OnItemHint;

    // Ctl3D False draws the frame flat (without themes).
    void WndProc(cl::TMessage& message) override;

protected:
    void Paint() override;
    bool CanModify() override;
    virtual void DoItemHint(int index, std::string& hintStr);
    // The item under the pointer names its hint; the hint stays while the
    // pointer stays on that item.
    bool HintShow(cl::THintInfo& info) override;

private:
    void PaintThemed();
    void PaintClassic();

    bool readOnly_ = false;
    cl::TEdgeBorders edgeBorders_ = kAllEdgeBorders;
    TEdgeStyle edgeInner_ = esRaised;
    TEdgeStyle edgeOuter_ = esLowered;
    bool captionVisible_ = true;
};
