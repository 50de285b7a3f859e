// The rich-text viewer's embedded objects: the callback the rich edit gets,
// the in-place frame it asks for, a selected object's verbs as the context
// menu, and the objects closed when the window goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/win/XcEditPopupMenu.h"
#include "tests/controls/win/RichTextViewer.h"

namespace {

using namespace cl;
using namespace cltest;

// An embedded object with two verbs on the container's menu and one that
// is not; it records what it is asked to do.
class FakeObject : public IOleObject {
public:
    LONG references = 1;
    std::vector<LONG> verbsDone;
    int closes = 0;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IOleObject) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--references); }
    STDMETHODIMP SetClientSite(IOleClientSite*) override { return S_OK; }
    STDMETHODIMP GetClientSite(IOleClientSite**) override { return E_NOTIMPL; }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override {
        ++closes;
        return S_OK;
    }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override {
        verbsDone.push_back(verb);
        return S_OK;
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** list) override {
        *list = new Verbs;
        return S_OK;
    }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override {
        *clsid = CLSID_NULL;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR* name) override {
        static const wchar_t kType[] = L"Obraz mapy bitowej";
        *name = static_cast<LPOLESTR>(CoTaskMemAlloc(sizeof kType));
        memcpy(*name, kType, sizeof kType);
        return S_OK;
    }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return S_OK; }
    STDMETHODIMP GetExtent(DWORD, SIZEL* size) override {
        *size = SIZEL{1000, 1000};
        return S_OK;
    }
    STDMETHODIMP Advise(IAdviseSink*, DWORD* connection) override {
        *connection = 1;
        return S_OK;
    }
    STDMETHODIMP Unadvise(DWORD) override { return S_OK; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* status) override {
        *status = 0;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

private:
    class Verbs : public IEnumOLEVERB {
    public:
        STDMETHODIMP QueryInterface(REFIID, void** object) override {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references_); }
        STDMETHODIMP_(ULONG) Release() override {
            const LONG left = --references_;
            if (left == 0) delete this;
            return static_cast<ULONG>(left);
        }
        STDMETHODIMP Next(ULONG count, OLEVERB* verbs, ULONG* fetched) override {
            static const struct {
                LONG verb;
                const wchar_t* name;
                DWORD flags, attributes;
            } kVerbs[] = {{0, L"&Edytuj", 0, OLEVERBATTRIB_ONCONTAINERMENU},
                          {1, L"&Otwórz", MF_GRAYED, OLEVERBATTRIB_ONCONTAINERMENU},
                          {2, L"Ukryty", 0, 0}};
            ULONG n = 0;
            for (; n < count && next_ < 3; ++n, ++next_) {
                const auto& v = kVerbs[next_];
                const size_t bytes = (wcslen(v.name) + 1) * sizeof(wchar_t);
                auto* name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
                memcpy(name, v.name, bytes);
                verbs[n] = OLEVERB{v.verb, name, v.flags, v.attributes};
            }
            if (fetched) *fetched = n;
            return n == count ? S_OK : S_FALSE;
        }
        STDMETHODIMP Skip(ULONG) override { return E_NOTIMPL; }
        STDMETHODIMP Reset() override {
            next_ = 0;
            return S_OK;
        }
        STDMETHODIMP Clone(IEnumOLEVERB**) override { return E_NOTIMPL; }

    private:
        LONG references_ = 1;
        int next_ = 0;
    };
};

struct Viewer : RichTextViewer {
    FakeObject object;
    // The rich edit lets go of the object before it goes.
    ~Viewer() { form.reset(); }

    // The object inserted at the start of the text, and selected.
    void InsertObject() {
        ASSERT_TRUE(edit->RichEditOle());
        REOBJECT reo{};
        reo.cbStruct = sizeof reo;
        reo.cp = REO_CP_SELECTION;
        reo.poleobj = &object;
        reo.dvaspect = DVASPECT_CONTENT;
        ASSERT_EQ(edit->RichEditOle()->InsertObject(&reo), S_OK);
        SendMessageW(edit->Handle(), EM_SETSEL, 0, 1);
    }
    // The callback's references (the control's and the rich edit's).
    ULONG CallbackReferences() {
        edit->ObjectCallback()->AddRef();
        return edit->ObjectCallback()->Release();
    }
};

std::vector<std::string> Captions(TPopupMenu* menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < menu->Items()->Count(); ++i) captions.push_back(menu->Items()->Items(i)->Caption());
    return captions;
}

TEST(RichTextObjects, TheRichEditHoldsTheCallbackWhileObjectsAreAllowed) {
    Viewer v;
    EXPECT_TRUE(v.edit->RichEditOle());
    EXPECT_EQ(v.CallbackReferences(), 2u);
    v.edit->SetAllowObjects(false);
    EXPECT_FALSE(v.edit->RichEditOle());
    EXPECT_EQ(v.CallbackReferences(), 1u);
    v.edit->RecreateWnd();
    v.edit->HandleNeeded();
    EXPECT_EQ(v.CallbackReferences(), 1u) << "a new window without objects";
    v.edit->SetAllowObjects(true);
    EXPECT_TRUE(v.edit->RichEditOle());
    EXPECT_EQ(v.CallbackReferences(), 2u);
}

TEST(RichTextObjects, InPlaceActivationGetsTheFormAsFrameWhenAllowed) {
    Viewer v;
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* document = nullptr;
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof info;
    ASSERT_EQ(v.edit->ObjectCallback()->GetInPlaceContext(&frame, &document, &info), S_OK);
    ASSERT_TRUE(frame);
    HWND window = nullptr;
    EXPECT_EQ(frame->GetWindow(&window), S_OK);
    EXPECT_EQ(window, v.form->Handle());
    EXPECT_EQ(info.hwndFrame, v.form->Handle());
    EXPECT_EQ(document, nullptr);
    frame->Release();
    v.edit->SetAllowInPlace(false);
    EXPECT_EQ(v.edit->ObjectCallback()->GetInPlaceContext(&frame, &document, &info), E_NOTIMPL);
    EXPECT_EQ(frame, nullptr);
}

TEST(RichTextObjects, ASelectedObjectsVerbsMakeTheContextMenu) {
    Viewer v;
    auto* own = new TPopupMenu(v.form.get());
    int ownClicks = 0;
    NewItem(v.form.get(), own->Items(), "Kopiuj")->OnClick = [&ownClicks](TObject*) { ++ownClicks; };
    v.InsertObject();
    TPopupMenu* menu = v.edit->GetPopupMenu();
    ASSERT_TRUE(menu);
    EXPECT_EQ(Captions(menu), (std::vector<std::string>{"&Edytuj", "&Otwórz", "-", "Obraz mapy bitowej"}))
        << "the verbs, a separator and the user type";
    EXPECT_TRUE(menu->Items()->Items(0)->Default());
    EXPECT_FALSE(menu->Items()->Items(1)->Default());
    EXPECT_FALSE(menu->Items()->Items(1)->Enabled()) << "a greyed verb";
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(v.object.verbsDone, std::vector<LONG>{0});

    // The control's own menu follows the verbs.
    v.edit->SetPopupMenu(own);
    menu = v.edit->GetPopupMenu();
    ASSERT_NE(menu, own);
    EXPECT_EQ(Captions(menu).back(), "Kopiuj");
    menu->Items()->Items(menu->Items()->Count() - 1)->Click();
    EXPECT_EQ(ownClicks, 1);

    // Without the verb menu, or with text selected as well: the usual menus.
    v.edit->SetAutoVerbMenu(false);
    EXPECT_EQ(v.edit->GetPopupMenu(), own);
    v.edit->SetAutoVerbMenu(true);
    v.edit->SetPopupMenu(nullptr);
    SendMessageW(v.edit->Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"Aktywa"));
    SendMessageW(v.edit->Handle(), EM_SETSEL, 0, -1);
    EXPECT_EQ(v.edit->GetPopupMenu(), SharedEditPopupMenu(v.edit, true));
}

TEST(RichTextObjects, TheWindowsObjectsAreClosedAndLetGoWhenItGoes) {
    Viewer v;
    v.InsertObject();
    ASSERT_GT(v.object.references, 1) << "held by the rich edit";
    v.edit->GetPopupMenu();  // a verb menu holding the object
    v.form.reset();
    EXPECT_EQ(v.object.closes, 1);
    EXPECT_EQ(v.object.references, 1) << "every reference given back";
}

}  // namespace
