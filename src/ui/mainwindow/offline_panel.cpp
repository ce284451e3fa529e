#include "ui/mainwindow/offline_panel.h"

#include "ui/mainwindow/main_window.h"

namespace glmx::ui {

OfflinePanel::OfflinePanel(TFMain& window, platform::Registry& registry, const platform::Locale& locale,
                           const platform::VersionResources& versions, platform::Shell& shell)
    : details_(registry, locale),
      status_(window.StatusBar()),
      builder_(window.Information().OfflineView(), window.Information().SearchField(), status_, links_,
               versions, details_, [&shell](const std::string& url) { shell.OpenWithShell(url); }) {
    window.Information().OfflineView().SetJumpHandler([this](int link) { builder_.Jump(link); });
}

}  // namespace glmx::ui
