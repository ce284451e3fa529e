#include "shellintegration/configuration_choices.h"

#include <utility>

#include "shellintegration/context_menu_registration.h"

namespace glmx::shellintegration {

namespace {

// The settings in the order the dialog loads and stores them.
constexpr std::pair<const char*, bool ConfigurationChoices::*> kSettings[] = {
    {"GLMXinFileContext", &ConfigurationChoices::files},
    {"GLMXinFolderContext", &ConfigurationChoices::folders},
    {"GLMXinDriveContext", &ConfigurationChoices::drives},
    {"GLMXinRBContext", &ConfigurationChoices::recycleBin},
    {"Conf_ModifierCtrl", &ConfigurationChoices::ctrl},
    {"Conf_ModifierShift", &ConfigurationChoices::shift},
    {"Conf_ModifierAlt", &ConfigurationChoices::alt},
};

std::string FailureMessage(const FailedRegistration& failed) {
    return std::string(kRegistrationError) + "\n\n" + failed.registration + ":\n" + failed.key;
}

}  // namespace

ConfigurationChoices LoadConfigurationChoices(settings::TRegInfoClass& store) {
    store.WriteImplicitValues();
    store.LoadValues();
    ConfigurationChoices choices;
    for (const auto& [name, member] : kSettings) choices.*member = store.GetValue(name) == "1";
    return choices;
}

void StoreConfigurationChoices(settings::TRegInfoClass& store,
                               const ConfigurationChoices& choices) {
    for (const auto& [name, member] : kSettings) store.SetValue(name, choices.*member ? "1" : "0");
}

unsigned HotkeyModifiers(const ConfigurationChoices& choices) {
    return (choices.shift ? 1u : 0u) | (choices.ctrl ? 2u : 0u) | (choices.alt ? 4u : 0u);
}

std::optional<std::string> CloseConfiguration(bool confirmed, const ConfigurationChoices& choices,
                                              const ClosingContext& context) {
    if (!confirmed) return std::nullopt;
    StoreConfigurationChoices(context.store, choices);

    ContextMenuRegistration registration(context.registry);
    RegistrationFailure failed;
    if ((choices.files || choices.folders || choices.drives) && context.handlerDllPresent &&
        !registration.HandlerClassRegistered())
        failed =
            registration.RegisterHandlerClass(context.programFolder + std::string(kHandlerDllName));
    if (!failed) failed = registration.RegisterFileFolderMenus(choices.files, choices.folders);
    if (!failed) failed = registration.RegisterDriveMenu(choices.drives);
    if (!failed)
        failed = registration.RegisterRecycleBinVerb(choices.recycleBin,
                                                     RecycleBinCommandLine(context.programFolder));
    if (failed) return FailureMessage(*failed);
    // The entries are kept (they start working once the extension is put in place), but
    // the user learns why Explorer shows none of them.
    if ((choices.files || choices.folders || choices.drives) && !context.handlerDllPresent &&
        !registration.HandlerClassRegistered())
        return "The Explorer extension \"" + context.programFolder + std::string(kHandlerDllName) +
               "\" was not found: the context-menu entries of files, folders and drives do "
               "nothing until it is installed beside the program.";
    return std::nullopt;
}

}  // namespace glmx::shellintegration
