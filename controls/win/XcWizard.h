#pragma once
// TXcWizard: a container that shows one page at a time from an ordered
// list of pages, with a bar of up to seven navigation buttons (start, last,
// back, next, finish, cancel, help) along its bottom edge.  The program
// drives it through ActivePage, the page list and the select operations,
// and reacts to OnActivePageChanging, OnActivePageChanged, the pages'
// OnEnterPage / OnExitPage / OnPage and the button clicks.
//
// A page joins a wizard through SetWizard (or by being given the wizard as
// its parent); the pages' order is the order they joined.  Only one page
// is visible: the active one.  The buttons follow the active page's
// VisibleButtons and EnabledButtons after every page switch.
//
// The button kinds bkCancel and bkHelp share their names with two kinds of
// the class library's TBitBtnKind: where both namespaces are in use, write
// TXcWizardButtonKind::bkCancel.

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "classlib/ClassRegistry.h"
#include "classlib/win/Buttons.h"
#include "classlib/win/Controls.h"
#include "classlib/win/ImgList.h"
#include "controls/win/XcCustomControl.h"

class TXcWizard;
class TXcWizardCustomPage;
class TXcWizardPageHeader;

enum TXcWizardButtonKind : uint8_t { bkStart, bkLast, bkBack, bkNext, bkFinish, bkCancel, bkHelp };
constexpr int kXcWizardButtonKinds = 7;

// A set of button kinds in one byte.
class TXcWizardButtonSet {
public:
    constexpr TXcWizardButtonSet() = default;
    constexpr TXcWizardButtonSet(std::initializer_list<TXcWizardButtonKind> kinds) {
        for (TXcWizardButtonKind k : kinds) bits_ = static_cast<uint8_t>(bits_ | Bit(k));
    }
    static constexpr TXcWizardButtonSet All() { return FromBits(0x7F); }
    static constexpr TXcWizardButtonSet FromBits(uint8_t bits) {
        TXcWizardButtonSet s;
        s.bits_ = static_cast<uint8_t>(bits & 0x7F);
        return s;
    }
    constexpr uint8_t Bits() const { return bits_; }
    constexpr bool Contains(TXcWizardButtonKind k) const { return (bits_ & Bit(k)) != 0; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr TXcWizardButtonSet operator+(TXcWizardButtonSet s) const { return FromBits(bits_ | s.bits_); }
    constexpr TXcWizardButtonSet operator-(TXcWizardButtonSet s) const { return FromBits(bits_ & ~s.bits_); }
    constexpr TXcWizardButtonSet operator*(TXcWizardButtonSet s) const { return FromBits(bits_ & s.bits_); }
    constexpr TXcWizardButtonSet operator+(TXcWizardButtonKind k) const {
        return *this + TXcWizardButtonSet{k};
    }
    constexpr TXcWizardButtonSet operator-(TXcWizardButtonKind k) const {
        return *this - TXcWizardButtonSet{k};
    }
    friend constexpr bool operator==(TXcWizardButtonSet, TXcWizardButtonSet) = default;

private:
    static constexpr uint8_t Bit(TXcWizardButtonKind k) { return static_cast<uint8_t>(1u << k); }
    uint8_t bits_ = 0;
};

enum TXcWizardImageAlignment { iaLeft, iaRight, iaCenter, iaStretch };
using TXcWizardImageLeftRight = TXcWizardImageAlignment;  // iaLeft or iaRight
enum TXcWizardImageLayout { ilTop, ilBottom, ilCenter, ilStretch, ilTile };

// ToPage may be replaced (nullptr included); the current page stops the switch.
using TXcWizardChangingPageEvent = std::function<void(cl::TObject* Sender, TXcWizardCustomPage*& ToPage)>;
// ToPage may be changed or cleared (nullptr: no switch).
using TXcWizardSelectPageEvent =
    std::function<void(cl::TObject* Sender, TXcWizardCustomPage* FromPage, TXcWizardCustomPage*& ToPage)>;
using TXcWizardChangePageEvent = std::function<void(cl::TObject* Sender, TXcWizardCustomPage* FromPage)>;
using TXcWizardPaintPageEvent =
    std::function<void(cl::TObject* Sender, cl::TCanvas* ACanvas, cl::TRect& ARect)>;
// Stop true ends the click: no wizard event, no modal result, no navigation.
using TXcWizardPageClickEvent = std::function<void(cl::TObject* Sender, bool& Stop)>;

// The wizard and its parts in a form designer: pages are searched round
// and shown though disabled, Back and Next always show, the buttons
// navigate without events, and the pages draw their caption and the
// outlines of their titles.
inline bool XcWizardDesigning(const cl::TComponent& c) {
    return (c.ComponentState() & cl::csDesigning) != 0;
}

class EXcWizardError : public cl::Exception {
public:
    using Exception::Exception;
    const char* ClassName() const override { return "EXcWizardError"; }
};

// ---- Page decorations ----------------------------------------------------
class TXcWizardGraphicObject : public cl::TPersistent {
    CL_CLASS(TXcWizardGraphicObject, cl::TPersistent)
public:
    cl::TColor Color() const { return color_; }
    void SetColor(cl::TColor value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    // Paints into r; r moves past what was painted where the object says so.
    virtual void Paint(cl::TCanvas& canvas, cl::TRect& r) = 0;

protected:
    virtual void VisibleChanged() { DoChange(); }
    virtual void ColorChanged() { DoChange(); }
    // A property changed.
    virtual void DoChange() = 0;

    cl::TColor color_ = cl::clBtnFace;
    bool visible_ = true;
};

// A decoration of one page: a change repaints the page.
class TXcWizardPageObject : public TXcWizardGraphicObject {
    CL_CLASS(TXcWizardPageObject, TXcWizardGraphicObject)
public:
    explicit TXcWizardPageObject(TXcWizardCustomPage* page) : page_(page) {}
    TXcWizardCustomPage* WizardPage() const { return page_; }

protected:
    void DoChange() override;

    TXcWizardCustomPage* page_;
};

// One line of a page header: its text in a rectangle placed by anchors.
class TXcWizardPageTitle : public TXcWizardGraphicObject {
    CL_CLASS(TXcWizardPageTitle, TXcWizardGraphicObject)
public:
    TXcWizardPageTitle();

    TXcWizardPageHeader* Header() const { return header_; }
    // Linking to a header of a page with ParentFont takes the page font's name.
    void SetHeader(TXcWizardPageHeader* header);

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    cl::TAnchors Anchors() const { return anchors_; }
    void SetAnchors(cl::TAnchors value);
    int AnchorPlacement() const { return anchorPlacement_; }
    void SetAnchorPlacement(int value);
    int Indent() const { return indent_; }
    void SetIndent(int value);
    cl::TAlignment Alignment() const { return alignment_; }
    void SetAlignment(cl::TAlignment value);
    cl::TFont* Font() const { return font_.get(); }
    // Ignored while the header has ParentFont.
    void SetFont(cl::TFont* value);

    // The text's rectangle in r: its extent at r's corner, moved and
    // stretched by the anchors, narrowed by Indent, clipped to r.
    void GetTextRect(cl::TCanvas& canvas, const cl::TRect& r, cl::TRect& textRect);
    // Word-wrapped; r.top moves to the text rectangle's bottom.
    void Paint(cl::TCanvas& canvas, cl::TRect& r) override;

protected:
    void DoChange() override;

private:
    friend class TXcWizardPageHeader;
    TXcWizardPageHeader* header_ = nullptr;
    std::string text_;
    cl::TAnchors anchors_ = cl::akLeft | cl::akTop;
    int anchorPlacement_ = 4;
    int indent_ = 0;
    cl::TAlignment alignment_ = cl::taLeftJustify;
    std::unique_ptr<cl::TFont> font_;
};

// The band across a page's top: colour, divider, an image of the wizard's
// HeaderImages and the title and subtitle.
class TXcWizardPageHeader : public TXcWizardPageObject {
    CL_CLASS(TXcWizardPageHeader, TXcWizardPageObject)
public:
    explicit TXcWizardPageHeader(TXcWizardCustomPage* page);
    ~TXcWizardPageHeader() override;

    int Height() const { return height_; }
    void SetHeight(int value);
    // The titles' fonts take the page font's name and character set.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int ImageOffset() const { return imageOffset_; }
    void SetImageOffset(int value);
    TXcWizardImageLeftRight ImageAlignment() const { return imageAlignment_; }
    void SetImageAlignment(TXcWizardImageLeftRight value);
    bool ShowDivider() const { return showDivider_; }
    void SetShowDivider(bool value);
    TXcWizardPageTitle* Title() const { return title_.get(); }
    TXcWizardPageTitle* Subtitle() const { return subtitle_.get(); }

    // The image's place in the header r; r (the text area) loses the
    // image's side.
    void GetImageRect(cl::TCustomImageList* images, cl::TRect& r, cl::TRect& imageRect);
    // r.top moves below the header.
    void Paint(cl::TCanvas& canvas, cl::TRect& r) override;
    // With ParentFont, the titles take the page font's name and character set.
    void AdoptPageFont();

protected:
    void VisibleChanged() override;

private:
    friend class TXcWizardPageTitle;
    int height_ = 70;
    bool parentFont_ = true;
    int imageIndex_ = -1;
    int imageOffset_ = 0;
    TXcWizardImageLeftRight imageAlignment_ = iaRight;
    bool showDivider_ = true;
    std::unique_ptr<TXcWizardPageTitle> title_;
    std::unique_ptr<TXcWizardPageTitle> subtitle_;
};

// An etched frame BorderWidth inside the page's free area, filled with Color.
class TXcWizardPagePanel : public TXcWizardPageObject {
    CL_CLASS(TXcWizardPagePanel, TXcWizardPageObject)
public:
    explicit TXcWizardPagePanel(TXcWizardCustomPage* page);
    // The frame's distance from the free area's edges; 0 paints nothing.
    uint16_t BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(uint16_t value);
    void Paint(cl::TCanvas& canvas, cl::TRect& r) override;

private:
    uint16_t borderWidth_ = 7;
};

// A page's picture, placed, stretched or tiled in the page's free area.
class TXcWizardImage : public cl::TPersistent {
    CL_CLASS(TXcWizardImage, cl::TPersistent)
public:
    TXcWizardImage();
    ~TXcWizardImage() override;

    cl::TPicture* Picture() const { return picture_.get(); }
    void SetPicture(cl::TPicture* value) { picture_->Assign(value); }
    TXcWizardImageAlignment Alignment() const { return alignment_; }
    void SetAlignment(TXcWizardImageAlignment value);
    TXcWizardImageLayout Layout() const { return layout_; }
    void SetLayout(TXcWizardImageLayout value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    // Nothing without a picture; a tiled picture without area paints nothing.
    void PaintIn(cl::TCanvas& canvas, const cl::TRect& r);

    cl::TNotifyEvent OnChange;

private:
    void Changed();

    std::unique_ptr<cl::TPicture> picture_;
    TXcWizardImageAlignment alignment_ = iaStretch;
    TXcWizardImageLayout layout_ = ilStretch;
    bool transparent_ = false;
};

// ---- Buttons -------------------------------------------------------------
class TXcWizardButtonControl : public cl::TBitBtn {
    CL_CLASS(TXcWizardButtonControl, cl::TBitBtn)
public:
    explicit TXcWizardButtonControl(cl::TComponent* owner);

    TXcWizard* Wizard() const { return wizard_; }
    void SetWizard(TXcWizard* value) { wizard_ = value; }
    // alLeft: in the bar's left group; alRight: in the right group.
    cl::TAlign Side() const { return side_; }

    void WndProc(cl::TMessage& message) override;

protected:
    TXcWizard* wizard_ = nullptr;
    cl::TAlign side_ = cl::alRight;
};

// A button of a kind: a click fires the active page's event (which may
// stop it), then the modal result and the wizard's event, then navigates.
class TXcWizardBaseButton : public TXcWizardButtonControl {
    CL_CLASS(TXcWizardBaseButton, TXcWizardButtonControl)
public:
    using TXcWizardButtonControl::TXcWizardButtonControl;
    void Click() override;

protected:
    // Fires the page's own event of this kind.
    virtual void ButtonClick(TXcWizardCustomPage* page, bool& stop) {}
    // Moves to the page this kind leads to.
    virtual void Navigate() {}
};

class TXcWizardStartButton : public TXcWizardBaseButton {
    CL_CLASS(TXcWizardStartButton, TXcWizardBaseButton)
public:
    explicit TXcWizardStartButton(cl::TComponent* owner);

protected:
    void ButtonClick(TXcWizardCustomPage* page, bool& stop) override;
    void Navigate() override;
};

class TXcWizardLastButton : public TXcWizardBaseButton {
    CL_CLASS(TXcWizardLastButton, TXcWizardBaseButton)
public:
    explicit TXcWizardLastButton(cl::TComponent* owner);

protected:
    void ButtonClick(TXcWizardCustomPage* page, bool& stop) override;
    void Navigate() override;
};

class TXcWizardBackButton : public TXcWizardBaseButton {
    CL_CLASS(TXcWizardBackButton, TXcWizardBaseButton)
public:
    explicit TXcWizardBackButton(cl::TComponent* owner);

protected:
    void ButtonClick(TXcWizardCustomPage* page, bool& stop) override;
    void Navigate() override;
};

class TXcWizardNextButton : public TXcWizardBaseButton {
    CL_CLASS(TXcWizardNextButton, TXcWizardBaseButton)
public:
    explicit TXcWizardNextButton(cl::TComponent* owner);

protected:
    void ButtonClick(TXcWizardCustomPage* page, bool& stop) override;
    void Navigate() override;
};

class TXcWizardFinishButton : public TXcWizardBaseButton {
    CL_CLASS(TXcWizardFinishButton, TXcWizardBaseButton)
public:
    explicit TXcWizardFinishButton(cl::TComponent* owner);

protected:
    void ButtonClick(TXcWizardCustomPage* page, bool& stop) override;
};

class TXcWizardCancelButton : public TXcWizardBaseButton {
    CL_CLASS(TXcWizardCancelButton, TXcWizardBaseButton)
public:
    explicit TXcWizardCancelButton(cl::TComponent* owner);

protected:
    void ButtonClick(TXcWizardCustomPage* page, bool& stop) override;
};

// A page with its own help event gets the click; otherwise the
// application's help opens at the active page's HelpContext, or without an
// active page at the form's.  Nothing in a designer.
class TXcWizardHelpButton : public TXcWizardBaseButton {
    CL_CLASS(TXcWizardHelpButton, TXcWizardBaseButton)
public:
    explicit TXcWizardHelpButton(cl::TComponent* owner);
    void Click() override;

protected:
    void ButtonClick(TXcWizardCustomPage* page, bool& stop) override;
};

// The published face of one button: its caption, glyph and size.  Without
// a control (it was freed) the getters give empty values and the setters
// do nothing.
class TXcWizardNavigateButton : public cl::TPersistent {
    CL_CLASS(TXcWizardNavigateButton, cl::TPersistent)
public:
    explicit TXcWizardNavigateButton(TXcWizardButtonControl* control) : control_(control) {}

    TXcWizardButtonControl* Control() const { return control_; }
    void SetControl(TXcWizardButtonControl* value) { control_ = value; }

    std::string Caption() const;
    void SetCaption(const std::string& value);
    cl::TBitmap* Glyph() const;
    void SetGlyph(cl::TBitmap* value);
    cl::TButtonLayout Layout() const;
    void SetLayout(cl::TButtonLayout value);
    int NumGlyphs() const;
    void SetNumGlyphs(int value);
    cl::TModalResult ModalResult() const;
    void SetModalResult(cl::TModalResult value);
    int Width() const;
    // Lays the bar out again.
    void SetWidth(int value);

private:
    TXcWizardButtonControl* control_;
};

// ---- Pages ---------------------------------------------------------------
class TXcWizardCustomPage : public cl::TCustomControl {
    CL_CLASS(TXcWizardCustomPage, cl::TCustomControl)
public:
    explicit TXcWizardCustomPage(cl::TComponent* owner);
    ~TXcWizardCustomPage() override;
    // Leaves its wizard while it is still whole.
    void BeforeDestruction() override;

    TXcWizard* Wizard() const { return wizard_; }
    // Leaves the old wizard, takes the new one as parent and joins its page list.
    void SetWizard(TXcWizard* value);
    // A TXcWizard as parent makes the page join it.
    void SetParent(cl::TWinControl* parent) override;
    // In the wizard's page list; -1 without a wizard.
    int PageIndex() const;

    TXcWizardPageHeader* Header() const { return header_.get(); }
    // The header's, published again (not stored).
    TXcWizardPageTitle* Title() const { return header_->Title(); }
    TXcWizardPageTitle* Subtitle() const { return header_->Subtitle(); }
    TXcWizardImage* Image() const { return image_.get(); }
    TXcWizardPagePanel* Panel() const { return panel_.get(); }

    TXcWizardButtonSet EnabledButtons() const { return enabledButtons_; }
    void SetEnabledButtons(TXcWizardButtonSet value);
    TXcWizardButtonSet VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TXcWizardButtonSet value);
    void EnableButton(TXcWizardButtonKind button, bool enabled);
    // False: the select operations step over this page (once).
    bool EnableJumpToPage() const { return enableJumpToPage_; }
    void SetEnableJumpToPage(bool value) { enableJumpToPage_ = value; }

    TXcWizardChangePageEvent OnEnterPage;
    TXcWizardChangePageEvent OnExitPage;
    // The page became active and took the form's focus.
    cl::TNotifyEvent OnPage;
    // Replaces the image and panel painting (not in a designer).
    TXcWizardPaintPageEvent OnPaintPage;
    TXcWizardPageClickEvent OnStartButtonClick;
    TXcWizardPageClickEvent OnLastButtonClick;
    TXcWizardPageClickEvent OnBackButtonClick;
    TXcWizardPageClickEvent OnNextButtonClick;
    TXcWizardPageClickEvent OnFinishButtonClick;
    TXcWizardPageClickEvent OnCancelButtonClick;
    TXcWizardPageClickEvent OnHelpButtonClick;

    void WndProc(cl::TMessage& message) override;

protected:
    void CreateParams(cl::TCreateParams& params) override;
    // The children are laid out below a visible header.
    void AdjustClientRect(cl::TRect& rect) override;
    void Paint() override;
    // An active page that is disabled hands over to its neighbour.
    void EnabledChanged() override;
    // Paints the header into r and moves r below it (nothing here).
    virtual void DrawHeader(cl::TCanvas& canvas, cl::TRect& r) {}
    // Each fires its event when the page is enabled (not in a designer).
    virtual void EnterPage(TXcWizardCustomPage* fromPage);
    virtual void ExitPage(TXcWizardCustomPage* toPage);
    // Repaints and fires OnPage.
    virtual void DoPage();

private:
    friend class TXcWizard;
    friend class TXcWizardPageList;

    // The button sets as their published bit masks.
    uint8_t EnabledButtonBits() const { return enabledButtons_.Bits(); }
    void SetEnabledButtonBits(uint8_t bits) { SetEnabledButtons(TXcWizardButtonSet::FromBits(bits)); }
    uint8_t VisibleButtonBits() const { return visibleButtons_.Bits(); }
    void SetVisibleButtonBits(uint8_t bits) { SetVisibleButtons(TXcWizardButtonSet::FromBits(bits)); }

    TXcWizard* wizard_ = nullptr;
    std::unique_ptr<TXcWizardPageHeader> header_;
    std::unique_ptr<TXcWizardImage> image_;
    std::unique_ptr<TXcWizardPagePanel> panel_;
    TXcWizardButtonSet enabledButtons_ = TXcWizardButtonSet::All();
    TXcWizardButtonSet visibleButtons_{bkBack, bkNext, bkCancel};
    bool enableJumpToPage_ = true;
    bool painting_ = false;
};

// The page of the program's wizards: it paints its header.
class TXcWizardInteriorPage : public TXcWizardCustomPage {
    CL_CLASS(TXcWizardInteriorPage, TXcWizardCustomPage)
public:
    using TXcWizardCustomPage::TXcWizardCustomPage;

protected:
    void DrawHeader(cl::TCanvas& canvas, cl::TRect& r) override;
};

// The wizard's pages in display order; joining and leaving set and clear
// each page's wizard.
class TXcWizardPageList : public cl::TPersistent {
    CL_CLASS(TXcWizardPageList, cl::TPersistent)
public:
    int Count() const { return static_cast<int>(pages_.size()); }
    // EListError out of range.
    TXcWizardCustomPage* Items(int index) const;
    int IndexOf(const TXcWizardCustomPage* page) const;

private:
    friend class TXcWizard;
    explicit TXcWizardPageList(TXcWizard* wizard) : wizard_(wizard) {}
    void Add(TXcWizardCustomPage* page);
    void Remove(TXcWizardCustomPage* page);
    void Clear() noexcept;

    TXcWizard* wizard_;
    std::vector<TXcWizardCustomPage*> pages_;
};

// ---- The wizard -------------------------------------------------------------
class TXcWizard : public TXcCustomControl {
    CL_CLASS(TXcWizard, TXcCustomControl)
public:
    explicit TXcWizard(cl::TComponent* owner);
    ~TXcWizard() override;
    // Lets go of its pages before the children are freed, so no page
    // switch runs while the wizard goes.
    void BeforeDestruction() override;

    TXcWizardPageList* Pages() const { return pages_.get(); }
    int PageCount() const { return pages_->Count(); }
    TXcWizardCustomPage* GetPage(int index) const { return pages_->Items(index); }
    void InsertPage(TXcWizardCustomPage* page);
    // A removed active page hands over to the next enabled page after it, or none.
    void RemovePage(TXcWizardCustomPage* page);

    TXcWizardCustomPage* ActivePage() const { return activePage_; }
    // Switches pages; a page of another wizard, or a disabled page, is
    // ignored.  Ignored too while the wizard is loading.
    void SetActivePage(TXcWizardCustomPage* page);
    int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

    void SelectFirstPage();
    void SelectLastPage();
    void SelectNextPage();
    void SelectPriorPage();
    // From pageIndex in steps of step (not 0): the first page, or with
    // checkDisable the first enabled one; nullptr past either end.
    TXcWizardCustomPage* FindNextPage(int pageIndex, int step, bool checkDisable) const;
    // No page (or no enabled page) comes before page.
    bool IsFirstPage(TXcWizardCustomPage* page, bool checkDisable = true) const;
    // fromPage comes before toPage; EXcWizardError for pages of two wizards.
    bool IsForward(TXcWizardCustomPage* fromPage, TXcWizardCustomPage* toPage) const;

    bool AutoHideButtonBar() const { return autoHideButtonBar_; }
    // On: a page without visible buttons hides the bar.
    void SetAutoHideButtonBar(bool value);
    int ButtonBarHeight() const { return buttonBarHeight_; }
    // The bar exists above 25; every assignment updates the buttons.
    void SetButtonBarHeight(int value);
    bool ShowDivider() const { return showDivider_; }
    void SetShowDivider(bool value);
    cl::TCustomImageList* HeaderImages() const { return headerImages_; }
    void SetHeaderImages(cl::TCustomImageList* value);

    // No route map exists in this program: it reads False and setting it
    // changes nothing.
    bool ShowRouteMap() const { return false; }
    void SetShowRouteMap(bool) {}

    // The buttons are made, each of the class GetButtonClass gives, when the
    // wizard first gets a parent or is first asked for one: a constructor
    // cannot call a derived class's GetButtonClass.
    TXcWizardNavigateButton* NavigateButton(TXcWizardButtonKind kind);
    TXcWizardNavigateButton* ButtonStart() { return NavigateButton(bkStart); }
    TXcWizardNavigateButton* ButtonLast() { return NavigateButton(bkLast); }
    TXcWizardNavigateButton* ButtonBack() { return NavigateButton(bkBack); }
    TXcWizardNavigateButton* ButtonNext() { return NavigateButton(bkNext); }
    TXcWizardNavigateButton* ButtonFinish() { return NavigateButton(bkFinish); }
    TXcWizardNavigateButton* ButtonCancel() { return NavigateButton(TXcWizardButtonKind::bkCancel); }
    TXcWizardNavigateButton* ButtonHelp() { return NavigateButton(TXcWizardButtonKind::bkHelp); }
    // The button control of a kind (nullptr once freed).
    TXcWizardButtonControl* ButtonControl(TXcWizardButtonKind kind);

    // The wizard's click event of a kind (OnStartButtonClick ..
    // OnHelpButtonClick): the OnClick of that kind's button.
    cl::TNotifyEvent OnButtonClick(TXcWizardButtonKind kind);
    void SetOnButtonClick(TXcWizardButtonKind kind, cl::TNotifyEvent handler);
    void SetParent(cl::TWinControl* parent) override;

    // Shows the active buttons of the active page; Next, else Finish, is
    // the default button.
    void UpdateButtonsStatus();
    // Places the visible buttons in the bar.
    void RepositionButtons();
    // The pages, in list order, then the other children root owns.
    void GetChildren(const cl::TGetChildProc& proc, cl::TComponent* root) override;

    TXcWizardSelectPageEvent OnSelectFirstPage;
    TXcWizardSelectPageEvent OnSelectLastPage;
    TXcWizardSelectPageEvent OnSelectNextPage;
    TXcWizardSelectPageEvent OnSelectPriorPage;
    TXcWizardChangingPageEvent OnActivePageChanging;
    cl::TNotifyEvent OnActivePageChanged;

protected:
    void Loaded() override;
    void Notification(cl::TComponent* component, cl::TOperation operation) override;
    void AdjustClientRect(cl::TRect& rect) override;
    void Paint() override;
    void Resize() override;
    void GetDlgCode(UINT& code) override;
    // A page of this wizard becomes the active page, then it is shown.
    void ShowControl(cl::TControl* control) override;
    virtual void DoActivePageChanging(TXcWizardCustomPage*& toPage);
    virtual void DoActivePageChanged();
    // The class of a kind's button: the kind's own (TXcWizardNextButton ...),
    // TXcWizardButtonControl for a kind out of range.
    virtual cl::TPersistentClass GetButtonClass(TXcWizardButtonKind kind);

private:
    void MakeButtons();
    void DoSetActivePage(TXcWizardCustomPage* target);
    TXcWizardCustomPage* FindNextEnabledPage(int pageIndex, int step, bool checkDisable) const;
    void SelectPage(int pageIndex, int step, const TXcWizardSelectPageEvent& event);
    void DetachPages() noexcept;

    std::unique_ptr<TXcWizardPageList> pages_;
    TXcWizardCustomPage* activePage_ = nullptr;
    bool buttonsMade_ = false;
    std::array<TXcWizardButtonControl*, kXcWizardButtonKinds> buttons_{};
    std::array<std::unique_ptr<TXcWizardNavigateButton>, kXcWizardButtonKinds> navigate_;
    cl::TChangeLink headerImagesLink_;
    cl::TCustomImageList* headerImages_ = nullptr;
    bool autoHideButtonBar_ = true;
    int buttonBarHeight_ = 0;
    bool showDivider_ = true;
};
