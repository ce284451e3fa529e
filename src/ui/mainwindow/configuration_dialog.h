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

// Shows the dialog modally over owner; OK stores the choices and registers the menus.
void ShowConfigurationDialog(HWND owner, const ConfigurationDialogContext& context);

}  // namespace glmx::ui
