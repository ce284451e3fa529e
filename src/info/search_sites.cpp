#include "info/search_sites.h"

namespace glmx::info {

TSearchSites ParseSearchSites(std::string_view text) {
    TSearchSites sites;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            sites.push_back({"", std::string(line)});
        else
            sites.push_back(
                {std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))});
        // CR LF ends one line, as do a lone CR and a lone LF.
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return sites;
}

std::string SerializeSearchSites(const TSearchSites& sites) {
    std::string text;
    for (const TSearchSitesType& site : sites) text += site.name + "=" + site.url + "\r\n";
    return text;
}

std::string ExtractSearchTerm(std::string_view fieldText) {
    const size_t colon = fieldText.find(':');
    return std::string(colon == std::string_view::npos ? fieldText : fieldText.substr(colon + 1));
}

std::string EncodeSearchText(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ' ') {
            encoded += '+';
        } else if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                   (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.' ||
                   byte == '~') {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

std::string DecodeSearchText(std::string_view text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            decoded += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                   HexValue(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

std::optional<std::string> FillSearchTemplate(std::string_view urlTemplate,
                                              std::string_view encodedText) {
    const size_t at = urlTemplate.find(kSearchPlaceholder);
    if (at == std::string_view::npos) return std::nullopt;
    std::string url(urlTemplate);
    url.replace(at, kSearchPlaceholder.size(), encodedText);
    return url;
}

}  // namespace glmx::info
