// The "Configuration" dialog: in which Explorer context menus Glimmerbox appears.
#pragma once

#include <windows.h>

#include <string>

namespace glmx::platform {
class Registry;
class UserMessages;
}  // namespace glmx::platform
namespace glmx::settings {
class TRegInfoClass;
}

namespace glmx::ui {

struct ConfigurationDialogContext {
    settings::TRegInfoClass& configurationSettings;
    platform::Registry& registry;
    platform::UserMessages& messages;
    std::string programFolder;  // with a trailing backslash
};

// The dialog's controls, for the window tests.
enum ConfigurationControl : int {
    IDC_CONFIGURATION_TREE = 3101,
    IDC_CONFIGURATION_BANNER,
    IDC_CONFIGURATION_FILES,
    IDC_CONFIGURATION_FOLDERS,
    IDC_CONFIGURATION_DRIVES,
    IDC_CONFIGURATION_RECYCLE_BIN,
    IDC_CONFIGURATION_HOTKEY_GROUP,
    IDC_CONFIGURATION_CTRL,
    IDC_CONFIGURATION_SHIFT,
    IDC_CONFIGURATION_ALT,
    IDC_CONFIGURATION_HOTKEY,
};

// Shows the dialog modally over owner; OK stores the choices and registers the menus,
// Cancel changes nothing.
void ShowConfigurationDialog(HWND owner, const ConfigurationDialogContext& context);

}  // namespace glmx::ui
