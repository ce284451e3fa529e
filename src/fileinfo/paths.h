// Cutting paths out of command lines and registry paths.
#pragma once

#include <string>
#include <string_view>

namespace glmx::fileinfo {

// The executable of a command line or icon reference, upper-cased: up to and
// including the first ".EXE", without a leading and a trailing double quote;
// a text without ".EXE" comes back upper-cased and otherwise unchanged.
std::string ExeFromCommandLine(std::string_view text);

// "HKEY_CURRENT_USER\Software\Run" -> "HKEY_CURRENT_USER" and "Software\Run";
// a path without "\" has no hive name and is all path below.
std::string HiveNameOf(std::string_view registryPath);
std::string PathBelowHive(std::string_view registryPath);

// The part of a path after its last "\", "/" or ":".
std::string FileNamePart(std::string_view path);

// The extension of a file name from its last ".", or "" (".EXE" for "A.EXE").
std::string_view ExtensionOf(std::string_view fileName);

}  // namespace glmx::fileinfo
