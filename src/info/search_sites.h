// The search sites: a name and an address template each, kept in search.cfg
// beside the program, one "name=template" line per site.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glmx::info {

struct TSearchSitesType {
    std::string name;
    std::string url;  // holds kSearchPlaceholder where the search text goes

    bool operator==(const TSearchSitesType&) const = default;
};
using TSearchSites = std::vector<TSearchSitesType>;

inline constexpr std::string_view kSearchPlaceholder = "THISISREPLACEDWITHACTUALTEXT";
inline constexpr std::string_view kSearchConfigName = "search.cfg";

// How search.cfg was stored: the system's ANSI code page, or UTF-8 behind a byte-order
// mark (written so when a site holds a character the code page lacks).
enum class SiteFileEncoding { Ansi, Utf8WithBom };

// One site per line (CR LF, LF or CR); the name is the text before the first "=", the
// template everything after it; a line without "=" is a site with an empty name whose
// template is the whole line. Takes UTF-8 text.
TSearchSites ParseSearchSites(std::string_view text);
// One "name=template" line per site, each ending in CR LF; UTF-8 text.
std::string SerializeSearchSites(const TSearchSites& sites);

// The text after the first colon (the whole text when there is none).
std::string ExtractSearchTerm(std::string_view fieldText);
// The term as an address part: UTF-8 percent-encoded, blanks as "+".
std::string EncodeSearchText(std::string_view text);
// The inverse: "+" as a blank, %XX as its byte.
std::string DecodeSearchText(std::string_view text);
// The template with its first placeholder replaced by the encoded text; nullopt when
// the template has no placeholder.
std::optional<std::string> FillSearchTemplate(std::string_view urlTemplate,
                                              std::string_view encodedText);

}  // namespace glmx::info
