#include "filesearch/mask.h"

#include <utility>

namespace glmx::filesearch {

namespace {

bool IsTrail(std::string_view text, size_t i) {
    return i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
}

// The code point at `i` and its length in bytes. A byte that starts no sequence stands
// for itself, outside the code point range, so that it matches only the same byte.
char32_t Decode(std::string_view text, size_t i, size_t& length) {
    const auto byte = [&](size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        length = 1;
        return lead;
    }
    if (lead >= 0xC2 && lead <= 0xDF && IsTrail(text, i + 1)) {
        length = 2;
        return (lead & 0x1F) << 6 | (byte(i + 1) & 0x3F);
    }
    if (lead >= 0xE0 && lead <= 0xEF && IsTrail(text, i + 1) && IsTrail(text, i + 2)) {
        length = 3;
        return (lead & 0x0F) << 12 | (byte(i + 1) & 0x3F) << 6 | (byte(i + 2) & 0x3F);
    }
    if (lead >= 0xF0 && lead <= 0xF4 && IsTrail(text, i + 1) && IsTrail(text, i + 2) &&
        IsTrail(text, i + 3)) {
        length = 4;
        return (lead & 0x07) << 18 | (byte(i + 1) & 0x3F) << 12 | (byte(i + 2) & 0x3F) << 6 |
               (byte(i + 3) & 0x3F);
    }
    length = 1;
    return 0x110000 + lead;
}

}  // namespace

char32_t UpperCase(char32_t c) {
    if (c < 0x80) return c >= U'a' && c <= U'z' ? c - 0x20 : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) {  // Latin Extended-A: pairs, upper case first
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return oddPairs ? ((c & 1) ? c : c - 1) : (c & ~char32_t{1});
    }
    if (c >= 0x3B1 && c <= 0x3CB) return c == 0x3C2 ? 0x3A3 : c - 0x20;  // final sigma
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

Mask::Mask(std::string_view mask) {
    size_t i = 0;
    size_t length = 0;
    while (i < mask.size()) {
        const char32_t c = Decode(mask, i, length);
        i += length;
        if (c == U'*') {
            if (tokens_.empty() || tokens_.back().kind != Kind::AnyRun)
                tokens_.push_back({Kind::AnyRun, 0});
            continue;
        }
        if (c == U'?') {
            tokens_.push_back({Kind::AnyOne, 0});
            continue;
        }
        if (c == U'[') {
            // A "]" first in the set is a member; a set never closed is a literal "[".
            size_t at = i;
            Set set{false, static_cast<std::uint32_t>(ranges_.size()), 0};
            if (at < mask.size() && mask[at] == '!') {
                set.negated = true;
                ++at;
            }
            bool closed = false;
            for (bool first = true; at < mask.size(); first = false) {
                char32_t low = Decode(mask, at, length);
                at += length;
                if (low == U']' && !first) {
                    closed = true;
                    break;
                }
                char32_t high = low;
                if (at + 1 < mask.size() && mask[at] == '-' && mask[at + 1] != ']') {
                    high = Decode(mask, at + 1, length);
                    at += 1 + length;
                }
                low = UpperCase(low);
                high = UpperCase(high);
                if (high < low) std::swap(low, high);
                ranges_.push_back({low, high});
            }
            if (closed) {
                set.end = static_cast<std::uint32_t>(ranges_.size());
                tokens_.push_back({Kind::Set, static_cast<char32_t>(sets_.size())});
                sets_.push_back(set);
                i = at;
                continue;
            }
            ranges_.resize(set.begin);
        }
        tokens_.push_back({Kind::Literal, UpperCase(c)});
    }
}

bool Mask::TokenMatches(const Token& token, char32_t upper) const {
    switch (token.kind) {
        case Kind::Literal:
            return token.value == upper;
        case Kind::AnyOne:
            return true;
        case Kind::Set: {
            const Set& set = sets_[token.value];
            bool member = false;
            for (std::uint32_t r = set.begin; r < set.end && !member; ++r)
                member = upper >= ranges_[r].first && upper <= ranges_[r].last;
            return member != set.negated;
        }
        case Kind::AnyRun:
            break;
    }
    return false;
}

// Iterative backtracking: on a mismatch only the last "*" takes one more character, so the
// time stays within the product of the two lengths.
bool Mask::Matches(std::string_view name) const {
    if (tokens_.empty()) return false;
    size_t n = 0, t = 0;
    size_t starToken = SIZE_MAX, starName = 0;
    size_t length = 0;
    while (n < name.size()) {
        if (t < tokens_.size() && tokens_[t].kind == Kind::AnyRun) {
            starToken = ++t;
            starName = n;
            continue;
        }
        const char32_t c = Decode(name, n, length);
        if (t < tokens_.size() && TokenMatches(tokens_[t], UpperCase(c))) {
            n += length;
            ++t;
            continue;
        }
        if (starToken == SIZE_MAX) return false;
        Decode(name, starName, length);
        starName += length;
        n = starName;
        t = starToken;
    }
    while (t < tokens_.size() && tokens_[t].kind == Kind::AnyRun) ++t;
    return t == tokens_.size();
}

bool MaskMatches(std::string_view mask, std::string_view name) { return Mask(mask).Matches(name); }

}  // namespace glmx::filesearch
