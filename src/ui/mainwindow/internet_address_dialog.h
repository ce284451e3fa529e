// "Open Internet Address" (TFInternetAddress): an address typed or taken from the history.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace glmx::settings {
class TRegInfoClass;
}

namespace glmx::ui {

// Modal over the owner: the address box lists the history newest first with the newest
// entry in the field. "Go" or Enter adds the address to the history and gives it; an
// empty or blank address opens nothing and is not remembered (nullopt, like "Close",
// Esc and the close box).
std::optional<std::string> ShowInternetAddressDialog(HWND owner, settings::TRegInfoClass& history);

}  // namespace glmx::ui
