// The configuration dialog's seven choices: how they load from and store to the
// configuration settings, and what closing the dialog does with them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "settings/reg_info.h"
#include "shellintegration/context_menu_registration.h"

namespace glmx::shellintegration {

struct ConfigurationChoices {
    bool files = false;
    bool folders = false;
    bool drives = false;
    bool recycleBin = false;
    // The hidden hotkey page's modifiers; stored, used by nothing else.
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    friend bool operator==(const ConfigurationChoices&, const ConfigurationChoices&) = default;
};

// Writes the missing defaults, reloads the store and reads each choice ("1" ticks it).
ConfigurationChoices LoadConfigurationChoices(settings::TRegInfoClass& store);
// "1" or "0" for each of the seven, in the dialog's order.
void StoreConfigurationChoices(settings::TRegInfoClass& store, const ConfigurationChoices& choices);

// The hotkey field's modifiers, as the hot-key control numbers them (Shift 1, Ctrl 2, Alt 4).
unsigned HotkeyModifiers(const ConfigurationChoices& choices);

struct ClosingContext {
    settings::TRegInfoClass& store;
    platform::Registry& registry;
    std::string programFolder;  // with its trailing backslash
    bool handlerDllPresent;     // glmxshell.dll lies in programFolder
};

// Cancel changes nothing. OK stores the choices, then makes the registrations follow
// them, registering the handler DLL first when a ticked box needs it and it is not yet
// registered. Returns the message for the user when a registration could not be
// written; the ones after it are then not made.
std::optional<std::string> CloseConfiguration(bool confirmed, const ConfigurationChoices& choices,
                                              const ClosingContext& context);

}  // namespace glmx::shellintegration
