// The Explorer context-menu registrations: the handler references of files, folders
// and drives, the Recycle Bin verb, and the handler's own class registration.
// Written to the current user's classes (HKEY_CURRENT_USER\Software\Classes), which
// Explorer merges with the machine's and which a user without administrator rights
// may write; removed from both.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry.h"

namespace glmx::shellintegration {

inline constexpr std::string_view kRegistrationError = "Error creating system registry entry";
// The configuration dialog's boxes, which name the registrations to the user.
inline constexpr std::string_view kFilesBoxCaption = "Glimmerbox in contextmenu of files";
inline constexpr std::string_view kFoldersBoxCaption = "Glimmerbox in contextmenu of folders";
inline constexpr std::string_view kDrivesBoxCaption = "Glimmerbox in contextmenu of drives";
inline constexpr std::string_view kRecycleBinBoxCaption =
    "Glimmerbox in contextmenu of Recycle Bin";
// The handler DLL beside glmx.exe.
inline constexpr std::string_view kHandlerDllName = "glmxshell.dll";
inline constexpr std::string_view kRecycleBinVerbText = "More Information about Recycle Bin";

// Where the classes go: the user's own.
inline constexpr std::string_view kUserClasses = "Software\\Classes";

// The Recycle Bin verb's command: the program in the given folder (with its trailing
// "\"), quoted so that a folder with blanks starts the right file, then " /X /R".
std::string RecycleBinCommandLine(std::string_view programFolder);

// A registration that could not be written: which one, as the dialog's box names it,
// and the full path of the key (long hive name).
struct FailedRegistration {
    std::string registration;
    std::string key;
};
using RegistrationFailure = std::optional<FailedRegistration>;

class ContextMenuRegistration {
public:
    explicit ContextMenuRegistration(platform::Registry& registry) : registry_(registry) {}

    // Each registers when its flag is set and otherwise removes its entry, stopping at
    // the first key it cannot write. A removal that is refused is ignored.
    [[nodiscard]] RegistrationFailure RegisterFileFolderMenus(bool files, bool folders);
    [[nodiscard]] RegistrationFailure RegisterDriveMenu(bool drives);
    [[nodiscard]] RegistrationFailure RegisterRecycleBinVerb(bool registerVerb,
                                                             std::string_view commandLine);

    // Whether the handler's class has an in-process server in the user's or the machine's classes.
    bool HandlerClassRegistered() const;
    // Registers the handler DLL for the current user, as its own DllRegisterServer does.
    [[nodiscard]] RegistrationFailure RegisterHandlerClass(std::string_view dllPath);

private:
    RegistrationFailure ApplyHandlerRow(std::string_view classKey, bool wanted,
                                        std::string_view registration);
    // Creates the key in the user's classes and sets its unnamed value.
    RegistrationFailure WriteDefault(std::string_view path, std::string_view text,
                                     std::string_view registration);
    // Removes a key without sub-keys from the user's and the machine's classes.
    void RemoveLeaf(std::string_view path);

    platform::Registry& registry_;
};

}  // namespace glmx::shellintegration
