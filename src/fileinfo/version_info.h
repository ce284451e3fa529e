// A file's version information list: what its version resource says, as
// "Key value" lines in a fixed order, for the information panel and the search terms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/version_resources.h"

namespace glmx::fileinfo {

// The lines "InternalFileVersion", "InternalProductVersion", "OperatingSystem" and
// "FileType" from the fixed part, then, when the resource has a translation, the
// strings of the first translation's table (FileVersion ... SpecialBuild), each as
// key, one blank, value. Empty when the file has no version resource or no fixed
// part; a string the table lacks is an empty value.
std::vector<std::string> GetVersionInfoList(const platform::VersionResources& resources,
                                            const std::string& path);

// The value of the first line whose key (the text before its first blank) equals
// key without regard to ASCII case; "" when no line has it.
std::string GetVersionInfoValue(const std::vector<std::string>& list, std::string_view key);

// The names the list gives a fixed part's target system and file type; "Unknown"
// for numbers without one.
std::string_view OperatingSystemName(std::uint32_t fileOS);
std::string_view FileTypeName(std::uint32_t fileType);

}  // namespace glmx::fileinfo
