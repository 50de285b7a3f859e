#include "controls/win/XcRichEditObjects.h"

#include <string>
#include <vector>

#include "classlib/win/WideText.h"

using namespace cl;
using Microsoft::WRL::ComPtr;

namespace {

// The frame an in-place object sees: the viewer's form, with no tool space,
// menus or status line to share.
class InPlaceFrame : public IOleInPlaceFrame {
public:
    explicit InPlaceFrame(HWND window) : window_(window) {}
    virtual ~InPlaceFrame() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow ||
            riid == IID_IOleInPlaceFrame) {
            *object = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    STDMETHODIMP GetWindow(HWND* window) override {
        if (!window) return E_POINTER;
        *window = window_;
        return S_OK;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return S_OK; }
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return OLE_E_INVALIDRECT; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS widths) override {
        if (widths) widths->width[0] = widths->width[2] = widths->width[4] = 0;
        return S_OK;
    }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return S_OK; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    LONG references_ = 1;
    HWND window_;
};

struct Verb {
    LONG number;
    std::string caption;
    bool enabled;
};

// The verbs an object offers on a container's menu; false when it tells none.
bool ObjectVerbs(IOleObject* object, std::vector<Verb>& verbs) {
    IEnumOLEVERB* list = nullptr;
    if (FAILED(object->EnumVerbs(&list)) || !list) return false;
    OLEVERB verb{};
    ULONG fetched = 0;
    while (list->Next(1, &verb, &fetched) == S_OK && fetched == 1) {
        if (verb.lVerb >= 0 && (verb.grfAttribs & OLEVERBATTRIB_ONCONTAINERMENU) &&
            !(verb.fuFlags & MF_SEPARATOR))
            verbs.push_back({verb.lVerb, verb.lpszVerbName ? FromWide(verb.lpszVerbName) : std::string(),
                             !(verb.fuFlags & (MF_GRAYED | MF_DISABLED))});
        CoTaskMemFree(verb.lpszVerbName);
    }
    list->Release();
    return true;
}

std::string UserType(IOleObject* object) {
    LPOLESTR name = nullptr;
    if (FAILED(object->GetUserType(USERCLASSTYPE_FULL, &name)) || !name) return {};
    std::string text = FromWide(name);
    CoTaskMemFree(name);
    return text;
}

TMenuItem* AddItem(TPopupMenu* menu, const std::string& caption) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    menu->Items()->Add(item);
    return item;
}

}  // namespace

// ---- The callback --------------------------------------------------------------------------
TXcRichEditOleCallback::TXcRichEditOleCallback(std::function<HWND()> frameWindow,
                                               std::function<bool()> allowInPlace)
    : frameWindow_(std::move(frameWindow)), allowInPlace_(std::move(allowInPlace)) {}

STDMETHODIMP TXcRichEditOleCallback::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IRichEditOleCallback) {
        *object = static_cast<IRichEditOleCallback*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TXcRichEditOleCallback::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) TXcRichEditOleCallback::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP TXcRichEditOleCallback::GetNewStorage(LPSTORAGE* storage) {
    if (!storage) return E_POINTER;
    *storage = nullptr;
    ILockBytes* bytes = nullptr;
    HRESULT hr = CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
    if (FAILED(hr)) return hr;
    hr = StgCreateDocfileOnILockBytes(bytes, STGM_SHARE_EXCLUSIVE | STGM_CREATE | STGM_READWRITE, 0, storage);
    bytes->Release();  // the storage holds its own reference
    return hr;
}

STDMETHODIMP TXcRichEditOleCallback::GetInPlaceContext(LPOLEINPLACEFRAME* frame,
                                                       LPOLEINPLACEUIWINDOW* document,
                                                       LPOLEINPLACEFRAMEINFO frameInfo) {
    if (!frame || !document || !frameInfo) return E_POINTER;
    *frame = nullptr;
    *document = nullptr;
    if (!allowInPlace_()) return E_NOTIMPL;
    HWND window = frameWindow_();
    *frame = new InPlaceFrame(window);
    frameInfo->fMDIApp = FALSE;
    frameInfo->hwndFrame = window;
    frameInfo->haccel = nullptr;
    frameInfo->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP TXcRichEditOleCallback::ShowContainerUI(BOOL) {
    return S_OK;
}

STDMETHODIMP TXcRichEditOleCallback::QueryInsertObject(LPCLSID, LPSTORAGE, LONG) {
    return S_OK;
}

STDMETHODIMP TXcRichEditOleCallback::DeleteObject(LPOLEOBJECT) {
    return S_OK;
}

STDMETHODIMP TXcRichEditOleCallback::QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) {
    return S_OK;
}

STDMETHODIMP TXcRichEditOleCallback::ContextSensitiveHelp(BOOL) {
    return S_OK;
}

STDMETHODIMP TXcRichEditOleCallback::GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT* data) {
    if (data) *data = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP TXcRichEditOleCallback::GetDragDropEffect(BOOL, DWORD, LPDWORD) {
    return S_OK;
}

STDMETHODIMP TXcRichEditOleCallback::GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU* menu) {
    if (menu) *menu = nullptr;
    return E_NOTIMPL;
}

// ---- Objects ---------------------------------------------------------------------------------
IOleObject* SelectedRichEditObject(HWND richEdit, IRichEditOle* ole, IOleClientSite** site) {
    *site = nullptr;
    if (!ole) return nullptr;
    const LRESULT type = SendMessageW(richEdit, EM_SELECTIONTYPE, 0, 0);
    if (type != SEL_OBJECT) return nullptr;
    REOBJECT reo{};
    reo.cbStruct = sizeof reo;
    if (FAILED(ole->GetObject(REO_IOB_SELECTION, &reo, REO_GETOBJ_POLEOBJ | REO_GETOBJ_POLESITE)) ||
        !reo.poleobj) {
        if (reo.polesite) reo.polesite->Release();
        return nullptr;
    }
    *site = reo.polesite;
    return reo.poleobj;
}

TPopupMenu* NewVerbMenu(TComponent* owner, IOleObject* object, IOleClientSite* site, HWND richEdit,
                        TPopupMenu* own) {
    std::vector<Verb> verbs;
    if (!ObjectVerbs(object, verbs)) return nullptr;
    auto* menu = new TPopupMenu(owner);
    for (const Verb& verb : verbs) {
        TMenuItem* item = AddItem(menu, verb.caption);
        item->SetEnabled(verb.enabled);
        item->SetDefault(&verb == &verbs.front());
        // Each item holds the object and its site for as long as it lives.
        item->OnClick = [object = ComPtr<IOleObject>(object), site = ComPtr<IOleClientSite>(site), richEdit,
                         number = verb.number](TObject*) {
            RECT r{};
            GetClientRect(richEdit, &r);
            object->DoVerb(number, nullptr, site.Get(), 0, richEdit, &r);
        };
    }
    AddItem(menu, "-");
    AddItem(menu, UserType(object))->SetEnabled(false);
    if (own)
        for (int i = 0; i < own->Items()->Count(); ++i) {
            TMenuItem* original = own->Items()->Items(i);
            TMenuItem* copy = AddItem(menu, original->Caption());
            copy->SetEnabled(original->Enabled());
            copy->SetChecked(original->Checked());
            copy->OnClick = [original](TObject*) { original->Click(); };
        }
    return menu;
}

void CloseObjects(IRichEditOle* ole) {
    if (!ole) return;
    for (LONG i = 0, n = ole->GetObjectCount(); i < n; ++i) {
        REOBJECT reo{};
        reo.cbStruct = sizeof reo;
        if (FAILED(ole->GetObject(i, &reo, REO_GETOBJ_POLEOBJ)) || !reo.poleobj) continue;
        reo.poleobj->Close(OLECLOSE_NOSAVE);
        reo.poleobj->Release();
    }
}
