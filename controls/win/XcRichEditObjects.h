#pragma once
// The embedded objects of the rich-text viewer: the callback through which
// the rich edit asks its host for an object's storage and in-place frame,
// the verb menu of a selected object, and closing every object when the
// window goes.

#include <windows.h>
// windows.h names GDI's GetObject as a macro, which would rename the rich
// edit's object accessor in some units and not in others.
#undef GetObject
// After windows.h, which they need.
#include <ole2.h>
#include <richedit.h>
#include <richole.h>
#include <wrl/client.h>

#include <functional>

#include "classlib/win/Menus.h"

// A holder of the reference the caller was given.  (MinGW's ComPtr::Attach
// takes a reference of its own.)
template <class T>
Microsoft::WRL::ComPtr<T> Adopted(T* object) {
    Microsoft::WRL::ComPtr<T> holder;
    *holder.GetAddressOf() = object;
    return holder;
}

// The host's side of one rich edit.  It lives with its control (which holds
// one reference) and with the rich edit while that holds it.
class TXcRichEditOleCallback : public IRichEditOleCallback {
public:
    // frameWindow: the window an in-place object takes as its frame;
    // allowInPlace: asked each time an object wants to activate in place.
    TXcRichEditOleCallback(std::function<HWND()> frameWindow, std::function<bool()> allowInPlace);
    virtual ~TXcRichEditOleCallback() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // A new compound file in memory for each object.
    STDMETHODIMP GetNewStorage(LPSTORAGE* storage) override;
    // E_NOTIMPL while in-place activation is not allowed.
    STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME* frame, LPOLEINPLACEUIWINDOW* document,
                                   LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP ShowContainerUI(BOOL show) override;
    STDMETHODIMP QueryInsertObject(LPCLSID clsid, LPSTORAGE storage, LONG cp) override;
    STDMETHODIMP DeleteObject(LPOLEOBJECT object) override;
    STDMETHODIMP QueryAcceptData(LPDATAOBJECT data, CLIPFORMAT* format, DWORD operation, BOOL really,
                                 HGLOBAL metaPict) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
    // The rich edit's own clipboard data.
    STDMETHODIMP GetClipboardData(CHARRANGE* range, DWORD operation, LPDATAOBJECT* data) override;
    STDMETHODIMP GetDragDropEffect(BOOL drag, DWORD keyState, LPDWORD effect) override;
    // None: the control's context menu is the class library's.
    STDMETHODIMP GetContextMenu(WORD selectionType, LPOLEOBJECT object, CHARRANGE* range,
                                HMENU* menu) override;

private:
    LONG references_ = 1;
    std::function<HWND()> frameWindow_;
    std::function<bool()> allowInPlace_;
};

// The selected object of the rich edit when exactly one object and nothing
// else is selected, with its site; nullptr (and no site) otherwise.  The
// caller releases both.
IOleObject* SelectedRichEditObject(HWND richEdit, IRichEditOle* ole, IOleClientSite** site);

// The object's verbs as a pop-up menu owned by owner: the verbs (the first
// the default item), a separator and the object's user type (a caption
// only), then items that click the items of own when it is set.  A verb
// item runs its verb.  nullptr when the object cannot tell its verbs.
cl::TPopupMenu* NewVerbMenu(cl::TComponent* owner, IOleObject* object, IOleClientSite* site, HWND richEdit,
                            cl::TPopupMenu* own);

// Closes every object of the rich edit without saving it.
void CloseObjects(IRichEditOle* ole);
