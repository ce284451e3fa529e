#include "platform/win32/win32_web_browser.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmdid.h>
#include <ocidl.h>
#include <ole2.h>
#include <oleauto.h>

#include "platform/win32/com_ptr.h"
#include "platform/win32/wide.h"

namespace glmx::platform::win32 {

namespace {

constexpr wchar_t kHostClassName[] = L"GlmxBrowserHost";

// Owns a BSTR for the length of a call.
class Bstr {
public:
    explicit Bstr(std::string_view text) : value_(SysAllocString(Wide(text).c_str())) {}
    Bstr() = default;
    ~Bstr() { SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return value_; }
    BSTR* put() {
        SysFreeString(value_);
        value_ = nullptr;
        return &value_;
    }
    std::string Text() const { return value_ ? Narrow(value_) : std::string(); }

private:
    BSTR value_ = nullptr;
};

// An argument of an event (the control passes them last first, some by reference).
const VARIANT* Argument(const DISPPARAMS* parameters, UINT fromFirst) {
    if (!parameters || fromFirst >= parameters->cArgs) return nullptr;
    const VARIANT* argument = &parameters->rgvarg[parameters->cArgs - 1 - fromFirst];
    if (argument->vt & VT_BYREF && argument->vt == (VT_BYREF | VT_VARIANT))
        return argument->pvarVal;
    return argument;
}

long LongOf(const VARIANT* value) {
    if (!value) return 0;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(value), 0, VT_I4))) return 0;
    return converted.lVal;
}

std::string TextOf(const VARIANT* value) {
    if (!value) return {};
    if (value->vt == VT_BSTR && value->bstrVal) return Narrow(value->bstrVal);
    if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal && *value->pbstrVal)
        return Narrow(*value->pbstrVal);
    return {};
}

}  // namespace

// The container the control lives in: client site, in-place site and frame, and the sink
// of its events. Its reference count only keeps COM happy: the browser object owns it.
class BrowserSite final : public IOleClientSite,
                          public IOleInPlaceSite,
                          public IOleInPlaceFrame,
                          public IDispatch {
public:
    explicit BrowserSite(Win32WebBrowser::State& owner) : owner_(owner) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *object = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *object = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
            *object = static_cast<IOleInPlaceFrame*>(this);
        else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
            *object = static_cast<IDispatch*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return references_ > 1 ? --references_ : 1; }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
        if (container) *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (shared by the in-place site and the frame)
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame,
                                               IOleInPlaceUIWindow** document, RECT* position,
                                               RECT* clip, OLEINPLACEFRAMEINFO* info) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow, IOleInPlaceFrame: no tool bars, menus or status line of ours.
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
        return INPLACE_E_NOTOOLSPACE;
    }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDispatch: the DWebBrowserEvents2 events and the ambient properties.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

private:
    Win32WebBrowser::State& owner_;
    ULONG references_ = 1;
};

struct Win32WebBrowser::State {
    HWND window = nullptr;
    BrowserSite site{*this};
    ComPtr<IOleObject> object;
    ComPtr<IWebBrowser2> browser;
    ComPtr<IConnectionPoint> events;
    DWORD cookie = 0;
    WebBrowserEvents handlers;
    std::function<void()> broughtToFront;

    RECT Client() const {
        RECT rect{};
        if (window) GetClientRect(window, &rect);
        return rect;
    }
};

HRESULT BrowserSite::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = owner_.window;
    return S_OK;
}

HRESULT BrowserSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                      RECT* position, RECT* clip, OLEINPLACEFRAMEINFO* info) {
    if (frame) {
        *frame = this;
        AddRef();
    }
    if (document) *document = nullptr;
    if (position) *position = owner_.Client();
    if (clip) *clip = owner_.Client();
    if (info) {
        info->fMDIApp = FALSE;
        info->hwndFrame = owner_.window;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT BrowserSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT* result,
                            EXCEPINFO*, UINT*) {
    const WebBrowserEvents& on = owner_.handlers;
    switch (id) {
        case DISPID_AMBIENT_DLCONTROL:
            // No ActiveX controls or Java in pages shown here; scripts and images as usual.
            if (result) {
                VariantInit(result);
                result->vt = VT_I4;
                result->lVal = DLCTL_DLIMAGES | DLCTL_VIDEOS | DLCTL_BGSOUNDS |
                               DLCTL_NO_DLACTIVEXCTLS | DLCTL_NO_RUNACTIVEXCTLS | DLCTL_NO_JAVA;
            }
            return S_OK;
        case DISPID_STATUSTEXTCHANGE:
            if (on.statusTextChange) on.statusTextChange(TextOf(Argument(parameters, 0)));
            return S_OK;
        case DISPID_PROGRESSCHANGE:
            if (on.progressChange)
                on.progressChange(LongOf(Argument(parameters, 0)), LongOf(Argument(parameters, 1)));
            return S_OK;
        case DISPID_COMMANDSTATECHANGE:
            if (on.commandStateChange)
                on.commandStateChange(LongOf(Argument(parameters, 0)),
                                      LongOf(Argument(parameters, 1)) != 0);
            return S_OK;
        case DISPID_NAVIGATEERROR:
            // Arguments: the frame's object, the address, the frame's name, the status, cancel.
            if (on.navigateError)
                on.navigateError(TextOf(Argument(parameters, 1)), LongOf(Argument(parameters, 3)));
            return S_OK;
        case DISPID_NEWWINDOW2:
        case DISPID_NEWWINDOW3: {
            // A page never opens windows of its own beside the program.
            if (parameters && parameters->cArgs >= 2) {
                VARIANT& slot = parameters->rgvarg[parameters->cArgs - 2];
                if (slot.vt == (VT_BYREF | VT_BOOL) && slot.pboolVal) *slot.pboolVal = VARIANT_TRUE;
            }
            return S_OK;
        }
        default:
            return DISP_E_MEMBERNOTFOUND;
    }
}

namespace {

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state =
        reinterpret_cast<Win32WebBrowser::State*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_SIZE && state && state->object) {
        const RECT rect = state->Client();
        if (auto inPlace = state->object.As<IOleInPlaceObject>())
            inPlace->SetObjectRects(&rect, &rect);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterHostClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(instance, kHostClassName, &windowClass)) return;
    windowClass.lpfnWndProc = HostProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kHostClassName;
    RegisterClassExW(&windowClass);
}

}  // namespace

Win32WebBrowser::Win32WebBrowser() : state_(std::make_unique<State>()) {}

Win32WebBrowser::~Win32WebBrowser() { Destroy(); }

void Win32WebBrowser::Create(HWND parent, int controlId) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterHostClass(instance);
    State& state = *state_;
    state.window = CreateWindowExW(0, kHostClassName, L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                                   instance, nullptr);
    if (!state.window) return;
    SetWindowLongPtrW(state.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));

    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                state.object.put_void())))
        return;
    if (FAILED(state.object->SetClientSite(&state.site))) return Destroy();
    RECT rect = state.Client();
    if (FAILED(state.object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &state.site, 0, state.window,
                                    &rect)))
        return Destroy();
    state.browser = state.object.As<IWebBrowser2>();
    if (!state.browser) return Destroy();
    // Script errors and other page dialogs stay silent.
    state.browser->put_Silent(VARIANT_TRUE);
    state.browser->put_RegisterAsDropTarget(VARIANT_FALSE);
    if (auto container = state.object.As<IConnectionPointContainer>()) {
        if (SUCCEEDED(
                container->FindConnectionPoint(DIID_DWebBrowserEvents2, state.events.put())) &&
            FAILED(state.events->Advise(static_cast<IDispatch*>(&state.site), &state.cookie)))
            state.events.reset();
    }
}

void Win32WebBrowser::Destroy() {
    State& state = *state_;
    // The documented order: stop the events, leave in-place activation, close the object,
    // take the site back, then let go of the pointers and the window.
    if (state.events) {
        state.events->Unadvise(state.cookie);
        state.events.reset();
    }
    state.browser.reset();
    if (state.object) {
        if (auto inPlace = state.object.As<IOleInPlaceObject>()) inPlace->InPlaceDeactivate();
        state.object->Close(OLECLOSE_NOSAVE);
        state.object->SetClientSite(nullptr);
        state.object.reset();
    }
    if (state.window) {
        DestroyWindow(state.window);
        state.window = nullptr;
    }
}

HWND Win32WebBrowser::Window() const { return state_->window; }

void Win32WebBrowser::SetBounds(const RECT& bounds) {
    if (state_->window)
        MoveWindow(state_->window, bounds.left, bounds.top, bounds.right - bounds.left,
                   bounds.bottom - bounds.top, TRUE);
}

void Win32WebBrowser::Hide() {
    if (state_->window) ShowWindow(state_->window, SW_HIDE);
}

bool Win32WebBrowser::Available() const { return static_cast<bool>(state_->browser); }

void Win32WebBrowser::SetEvents(WebBrowserEvents events) { state_->handlers = std::move(events); }

bool Win32WebBrowser::Navigate(std::string_view url) {
    if (!state_->browser) return false;
    Bstr address(url);
    VARIANT empty;
    VariantInit(&empty);
    return SUCCEEDED(state_->browser->Navigate(address.get(), &empty, &empty, &empty, &empty));
}

bool Win32WebBrowser::GoBack() { return state_->browser && SUCCEEDED(state_->browser->GoBack()); }

bool Win32WebBrowser::GoForward() {
    return state_->browser && SUCCEEDED(state_->browser->GoForward());
}

bool Win32WebBrowser::Refresh() { return state_->browser && SUCCEEDED(state_->browser->Refresh()); }

bool Win32WebBrowser::Stop() { return state_->browser && SUCCEEDED(state_->browser->Stop()); }

bool Win32WebBrowser::ExecWB(WebPageCommand command) {
    return state_->browser &&
           SUCCEEDED(state_->browser->ExecWB(static_cast<OLECMDID>(command),
                                             OLECMDEXECOPT_DODEFAULT, nullptr, nullptr));
}

BrowserReadyState Win32WebBrowser::ReadyState() const {
    READYSTATE state = READYSTATE_UNINITIALIZED;
    if (!state_->browser || FAILED(state_->browser->get_ReadyState(&state)))
        return BrowserReadyState::Uninitialized;
    return static_cast<BrowserReadyState>(state);
}

std::string Win32WebBrowser::LocationName() const {
    Bstr name;
    if (!state_->browser || FAILED(state_->browser->get_LocationName(name.put()))) return {};
    return name.Text();
}

std::string Win32WebBrowser::LocationURL() const {
    Bstr url;
    if (!state_->browser || FAILED(state_->browser->get_LocationURL(url.put()))) return {};
    return url.Text();
}

bool Win32WebBrowser::Busy() const {
    VARIANT_BOOL busy = VARIANT_FALSE;
    return state_->browser && SUCCEEDED(state_->browser->get_Busy(&busy)) && busy != VARIANT_FALSE;
}

void Win32WebBrowser::BringToFront() {
    if (!state_->window) return;
    SetWindowPos(state_->window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (state_->broughtToFront) state_->broughtToFront();
}

void Win32WebBrowser::SetBroughtToFront(std::function<void()> shown) {
    state_->broughtToFront = std::move(shown);
}

}  // namespace glmx::platform::win32
