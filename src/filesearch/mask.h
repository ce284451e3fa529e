// File-name masks: "*" any run of characters, "?" one character, "[set]" one character of
// a set with ranges ("a-z") and "!" negation right after "[", everything else literal;
// without regard to case, over whole names. An empty mask matches nothing, and a "[" that
// is never closed stands for itself.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace glmx::filesearch {

// A mask taken apart once, for matching many names.
class Mask {
public:
    explicit Mask(std::string_view mask);
    // `name` is UTF-8; each character (code point) counts as one.
    bool Matches(std::string_view name) const;

private:
    enum class Kind : std::uint8_t { Literal, AnyOne, AnyRun, Set };
    struct Token {
        Kind kind;
        char32_t value;  // upper-cased literal, or the index of the set
    };
    struct Range {
        char32_t first, last;  // upper-cased
    };
    struct Set {
        bool negated;
        std::uint32_t begin, end;  // into ranges_
    };
    bool TokenMatches(const Token& token, char32_t upper) const;

    std::vector<Token> tokens_;
    std::vector<Set> sets_;
    std::vector<Range> ranges_;
};

bool MaskMatches(std::string_view mask, std::string_view name);

// The upper case of a letter of the Latin-1, Latin Extended-A, Greek or Cyrillic basic
// ranges; every other character as it is.
char32_t UpperCase(char32_t c);

}  // namespace glmx::filesearch
