// The offline information in the main window: the builder writes into the
// information panel's styled text view and Search field and the status bar,
// and the view's link clicks open their addresses through the shell.
#pragma once

#include <windows.h>

#include "info/offline_information.h"
#include "info/registry_program_details.h"
#include "platform/locale.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/version_resources.h"
#include "ui/mainwindow/view_services.h"
#include "ui/win32/combo_box.h"
#include "ui/win32/rich_text_view.h"
#include "ui/win32/status_bar_line.h"

namespace glmx::ui {

class OfflinePanel final : public OfflineInformation {
public:
    OfflinePanel(RichTextView& view, ComboBox& searchField, HWND statusBar,
                 platform::Registry& registry, platform::Registry* registry32,
                 const platform::Locale& locale, const platform::VersionResources& versions,
                 platform::Shell& shell);

    info::OfflineInformationBuilder& Builder() { return builder_; }
    const info::TLinkedInformationBuffer& Links() const { return links_; }
    info::TLinkedInformationBuffer& Links() { return links_; }
    const info::InstalledProgramDetails& ProgramDetails() const { return details_; }
    void ShowEmptyInfo() override { builder_.ShowEmptyInfo(); }

private:
    info::RegistryProgramDetails details_;
    info::TLinkedInformationBuffer links_;
    StatusBarLine status_;
    info::OfflineInformationBuilder builder_;
};

}  // namespace glmx::ui
