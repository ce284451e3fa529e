// The system's web browser control hosted in a child window: in-place active, events
// forwarded, script-error and other dialogs silenced, new windows refused.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "platform/web_browser.h"

namespace glmx::platform::win32 {

class Win32WebBrowser final : public WebBrowser {
public:
    Win32WebBrowser();
    ~Win32WebBrowser() override;
    Win32WebBrowser(const Win32WebBrowser&) = delete;
    Win32WebBrowser& operator=(const Win32WebBrowser&) = delete;

    // Creates the host window (hidden) and the control in it; the control may be missing
    // afterwards (Available() false) and the window still there.
    void Create(HWND parent, int controlId);
    // Removes the control first, then the window; the destructor does it too.
    void Destroy();
    HWND Window() const;
    void SetBounds(const RECT& bounds);
    void Hide();
    // Called each time BringToFront has shown the browser.
    void SetBroughtToFront(std::function<void()> shown);

    bool Available() const override;
    void SetEvents(WebBrowserEvents events) override;
    bool Navigate(std::string_view url) override;
    bool GoBack() override;
    bool GoForward() override;
    bool Refresh() override;
    bool Stop() override;
    bool ExecWB(WebPageCommand command) override;
    BrowserReadyState ReadyState() const override;
    std::string LocationName() const override;
    std::string LocationURL() const override;
    bool Busy() const override;
    void BringToFront() override;

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace glmx::platform::win32
