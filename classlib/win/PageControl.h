#pragma once
// TPageControl over the system tab control (SysTabControl32) and its pages,
// TTabSheet.  A page's tab may be hidden; a page control whose tabs are all
// hidden shows none, its pages fill the whole control, and the program
// switches them with ActivePage.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

#include "classlib/win/Controls.h"
#include "classlib/win/ImgList.h"

namespace cl {

class TPageControl;

enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// ---- TTabSheet -------------------------------------------------------------
class TTabSheet : public TWinControl {
    CL_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return pageControl_; }
    // Joins the page control as its last page (nullptr: leaves it).
    void SetPageControl(TPageControl* value);
    // A page control as parent makes the sheet its page.
    void SetParent(TWinControl* parent) override;
    // Position among the page control's pages.
    int PageIndex() const;
    void SetPageIndex(int value);
    // Position among the shown tabs; -1 when the tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);

    void WndProc(TMessage& message) override;

private:
    friend class TPageControl;
    void SheetTearDown() noexcept;

    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    int imageIndex_ = -1;
};

// ---- TPageControl ------------------------------------------------------------
class TPageControl : public TWinControl {
    CL_CLASS(TPageControl, TWinControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    // EListError out of range.
    TTabSheet* Pages(int index) const;
    // Setting it from code fires no events (a click on a tab does).
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int value);
    // The page after (before) page, wrapping; only pages with a tab when
    // checkTabVisible.  nullptr when there is none.
    TTabSheet* FindNextPage(TTabSheet* page, bool goForward, bool checkTabVisible) const;
    // Moves to the next page as a user would: OnChanging may refuse, then OnChange.
    void SelectNextPage(bool goForward, bool checkTabVisible = true);

    // The selected tab among the shown ones, -1 for none.
    int TabIndex() const;
    // The shown tab at a client point, -1 for none.
    int IndexOfTabAt(int x, int y) const;
    TRect TabRect(int tabIndex) const;
    // The area the pages take.
    TRect DisplayRect();

    TTabStyle Style() const { return style_; }
    void SetStyle(TTabStyle value);
    TTabPosition TabPosition() const { return tabPosition_; }
    void SetTabPosition(TTabPosition value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void WndProc(TMessage& message) override;

protected:
    // Asks OnChanging before a user's change of page.
    virtual bool CanChange();
    // After a user's change: the page of the selected tab becomes active,
    // then OnChange.
    virtual void Change();

    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void AdjustClientRect(TRect& rect) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page) noexcept;
    void MovePage(TTabSheet* page, int index);
    // The window's tabs: one per page whose tab is shown.
    void UpdateTabs();
    void ShowSelectedTab();
    TTabSheet* PageOfTab(int tabIndex) const;
    void ChangeActivePage(TTabSheet* page);

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    TTabStyle style_ = tsTabs;
    TTabPosition tabPosition_ = tpTop;
    bool multiLine_ = false;
    bool hotTrack_ = false;
    TCustomImageList* images_ = nullptr;
    std::unique_ptr<TChangeLink> imageLink_;
};

}  // namespace cl
