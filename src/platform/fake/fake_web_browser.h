// A web browser for tests: records what it was asked, reports the ready state it is
// given, and can be unavailable or refuse the navigation buttons.
#pragma once

#include <string>
#include <vector>

#include "platform/web_browser.h"

namespace glmx::platform {

class FakeWebBrowser final : public WebBrowser {
public:
    bool available = true;
    bool canGoBack = false, canGoForward = false, canRefresh = true, canExec = true;
    BrowserReadyState readyState = BrowserReadyState::Uninitialized;
    std::string locationName, locationUrl;
    bool busy = false;

    std::vector<std::string> navigated;
    std::vector<WebPageCommand> executed;
    int broughtToFront = 0, stops = 0;
    WebBrowserEvents events;

    bool Available() const override { return available; }
    void SetEvents(WebBrowserEvents e) override { events = std::move(e); }
    bool Navigate(std::string_view url) override {
        if (!available) return false;
        navigated.emplace_back(url);
        return true;
    }
    bool GoBack() override { return canGoBack; }
    bool GoForward() override { return canGoForward; }
    bool Refresh() override { return canRefresh; }
    bool Stop() override {
        ++stops;
        return true;
    }
    bool ExecWB(WebPageCommand command) override {
        executed.push_back(command);
        return canExec;
    }
    BrowserReadyState ReadyState() const override { return readyState; }
    std::string LocationName() const override { return locationName; }
    std::string LocationURL() const override { return locationUrl; }
    bool Busy() const override { return busy; }
    void BringToFront() override { ++broughtToFront; }
};

}  // namespace glmx::platform
