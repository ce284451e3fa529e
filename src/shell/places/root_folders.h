// The shell's root-folder identifiers ("rfFonts") and the special folders (CSIDL
// numbers) they stand for. The numbers are Windows' own; this code has no windows.h.
#pragma once

#include <optional>
#include <string_view>

namespace glmx::shell::places {

namespace csidl {
inline constexpr int kDesktop = 0x00;
inline constexpr int kInternet = 0x01;
inline constexpr int kPrograms = 0x02;
inline constexpr int kControls = 0x03;
inline constexpr int kPrinters = 0x04;
inline constexpr int kPersonal = 0x05;
inline constexpr int kFavorites = 0x06;
inline constexpr int kStartup = 0x07;
inline constexpr int kRecent = 0x08;
inline constexpr int kSendTo = 0x09;
inline constexpr int kBitBucket = 0x0A;
inline constexpr int kStartMenu = 0x0B;
inline constexpr int kDesktopDirectory = 0x10;
inline constexpr int kNetHood = 0x13;
inline constexpr int kFonts = 0x14;
inline constexpr int kTemplates = 0x15;
inline constexpr int kCommonStartMenu = 0x16;
inline constexpr int kCommonPrograms = 0x17;
inline constexpr int kCommonStartup = 0x18;
inline constexpr int kCommonDesktopDirectory = 0x19;
inline constexpr int kAppData = 0x1A;
inline constexpr int kPrintHood = 0x1B;
inline constexpr int kLocalAppData = 0x1C;
inline constexpr int kCommonFavorites = 0x1F;
inline constexpr int kInternetCache = 0x20;
inline constexpr int kCookies = 0x21;
inline constexpr int kHistory = 0x22;
inline constexpr int kCommonAppData = 0x23;
inline constexpr int kWindows = 0x24;
inline constexpr int kProgramFiles = 0x26;
inline constexpr int kMyPictures = 0x27;
inline constexpr int kProgramFilesCommon = 0x2B;
inline constexpr int kCommonTemplates = 0x2D;
inline constexpr int kCommonDocuments = 0x2E;
inline constexpr int kCommonMusic = 0x35;
inline constexpr int kCommonPictures = 0x36;
inline constexpr int kCommonVideo = 0x37;
}  // namespace csidl

// The special folder a root-folder identifier names; nullopt for anything else (a path).
std::optional<int> CsidlOfRoot(std::string_view root);

}  // namespace glmx::shell::places
