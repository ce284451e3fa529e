#include "shellintegration/context_menu_registration.h"

#include "shellintegration/shell_menu.h"

namespace glmx::shellintegration {

using platform::RegAccess;
using platform::RegRoot;

namespace {

constexpr std::string_view kRecycleBinVerbKey =
    "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\Shell\\GLMX";
constexpr std::string_view kHandlerClassName = "Glimmerbox context menu";

std::string ClassesPath(std::string_view path) {
    return std::string(kUserClasses) + "\\" + std::string(path);
}

std::string HandlerClassPath() { return "CLSID\\" + std::string(kHandlerClassId); }

RegistrationFailure Failed(std::string_view registration, std::string_view path) {
    return FailedRegistration{
        std::string(registration),
        std::string(platform::RootLongName(RegRoot::CurrentUser)) + "\\" + ClassesPath(path)};
}

}  // namespace

std::string RecycleBinCommandLine(std::string_view programFolder) {
    return "\"" + std::string(programFolder) + "glmx.exe\" /X /R";
}

RegistrationFailure ContextMenuRegistration::WriteDefault(std::string_view path,
                                                          std::string_view text,
                                                          std::string_view registration) {
    auto key = registry_.CreateKey(RegRoot::CurrentUser, ClassesPath(path));
    if (key && key->SetValue("", platform::MakeStringData(text))) return std::nullopt;
    return Failed(registration, path);
}

void ContextMenuRegistration::RemoveLeaf(std::string_view path) {
    const std::string full = ClassesPath(path);
    for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
        // A key that has gained sub-keys is someone else's too: it stays.
        auto key = registry_.OpenKey(root, full, RegAccess::Query);
        if (key && key->SubKeyCount() == 0) registry_.DeleteKeyTree(root, full);
    }
}

RegistrationFailure ContextMenuRegistration::ApplyHandlerRow(std::string_view classKey, bool wanted,
                                                             std::string_view registration) {
    const std::string shellex = std::string(classKey) + "\\shellex";
    const std::string handlers = shellex + "\\ContextMenuHandlers";
    const std::string entry = handlers + "\\GLMX";
    if (!wanted) {
        RemoveLeaf(entry);
        return std::nullopt;
    }
    if (auto failed = WriteDefault(shellex, "", registration)) return failed;
    if (auto failed = WriteDefault(handlers, "", registration)) return failed;
    return WriteDefault(entry, kHandlerClassId, registration);
}

RegistrationFailure ContextMenuRegistration::RegisterFileFolderMenus(bool files, bool folders) {
    if (auto failed = ApplyHandlerRow("*", files, kFilesBoxCaption)) return failed;
    return ApplyHandlerRow("Folder", folders, kFoldersBoxCaption);
}

RegistrationFailure ContextMenuRegistration::RegisterDriveMenu(bool drives) {
    return ApplyHandlerRow("Drive", drives, kDrivesBoxCaption);
}

RegistrationFailure ContextMenuRegistration::RegisterRecycleBinVerb(bool registerVerb,
                                                                    std::string_view commandLine) {
    const std::string verb(kRecycleBinVerbKey);
    const std::string command = verb + "\\Command";
    if (!registerVerb) {
        RemoveLeaf(command);
        RemoveLeaf(verb);
        return std::nullopt;
    }
    if (auto failed = WriteDefault(verb, kRecycleBinVerbText, kRecycleBinBoxCaption)) return failed;
    return WriteDefault(command, commandLine, kRecycleBinBoxCaption);
}

bool ContextMenuRegistration::HandlerClassRegistered() const {
    const std::string server = ClassesPath(HandlerClassPath() + "\\InprocServer32");
    for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine}) {
        auto key = registry_.OpenKey(root, server, RegAccess::Read);
        const auto path = key ? key->QueryValue("") : std::nullopt;
        if (path && !platform::DecodeStringData(*path).empty()) return true;
    }
    return false;
}

RegistrationFailure ContextMenuRegistration::RegisterHandlerClass(std::string_view dllPath) {
    const std::string server = HandlerClassPath() + "\\InprocServer32";
    if (auto failed = WriteDefault(HandlerClassPath(), kHandlerClassName, kHandlerDllName))
        return failed;
    if (auto failed = WriteDefault(server, dllPath, kHandlerDllName)) return failed;
    auto key = registry_.OpenKey(RegRoot::CurrentUser, ClassesPath(server), RegAccess::ReadWrite);
    if (key && key->SetValue("ThreadingModel", platform::MakeStringData("Apartment")))
        return std::nullopt;
    return Failed(kHandlerDllName, server);
}

}  // namespace glmx::shellintegration
