// The embedded web browser of the online panel.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace glmx::platform {

// Commands of the Web Page menu, numbered as the browser numbers them.
enum class WebPageCommand : int {
    SaveAs = 4,
    Print = 6,
    PrintPreview = 7,
    PageSetup = 8,
    Properties = 10,
};

enum class BrowserReadyState : int {
    Uninitialized = 0,
    Loading = 1,
    Loaded = 2,
    Interactive = 3,
    Complete = 4
};

// What the browser reports while it works; each is optional.
struct WebBrowserEvents {
    std::function<void(std::string_view text)> statusTextChange;
    std::function<void(long progress, long maximum)> progressChange;
    // -1: the commands' state changed; 1: whether Forward is possible; 2: Back.
    std::function<void(long command, bool enable)> commandStateChange;
    // A navigation failed (no page will come); the address and the status code.
    std::function<void(std::string_view url, long status)> navigateError;
};

class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    // False when no browser engine could be created: every other call then does nothing.
    virtual bool Available() const = 0;
    virtual void SetEvents(WebBrowserEvents events) = 0;
    virtual bool Navigate(std::string_view url) = 0;
    // Each false when it cannot be done (nothing to go back to, ...).
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    virtual bool Refresh() = 0;
    virtual bool Stop() = 0;
    virtual bool ExecWB(WebPageCommand command) = 0;
    virtual BrowserReadyState ReadyState() const = 0;
    virtual std::string LocationName() const = 0;
    virtual std::string LocationURL() const = 0;
    virtual bool Busy() const = 0;
    // Makes the browser the visible one of the views sharing the information panel.
    virtual void BringToFront() = 0;
};

}  // namespace glmx::platform
