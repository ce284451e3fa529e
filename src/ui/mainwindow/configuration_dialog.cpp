#include "ui/mainwindow/configuration_dialog.h"

namespace glmx::ui {

void ShowConfigurationDialog(HWND, const ConfigurationDialogContext&) {}

}  // namespace glmx::ui
