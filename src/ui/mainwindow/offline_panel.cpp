#include "ui/mainwindow/offline_panel.h"

namespace glmx::ui {

OfflinePanel::OfflinePanel(RichTextView& view, ComboBox& searchField, HWND statusBar,
                           platform::Registry& registry, platform::Registry* registry32,
                           const platform::Locale& locale,
                           const platform::VersionResources& versions, platform::Shell& shell)
    : details_(registry, registry32, locale),
      status_(statusBar),
      builder_(view, searchField, status_, links_, versions, details_,
               [&shell](const std::string& url) { shell.OpenWithShell(url); }) {
    view.SetJumpHandler([this](int link) { builder_.Jump(link); });
}

}  // namespace glmx::ui
