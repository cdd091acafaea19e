#pragma once
// What a file must never hold: a number that is not finite, as C, C++, Qt and JavaScript print
// one ("nan", "-nan", "inf", "-INF", "Infinity", "NaN", "nan(...)"). A file holding one would read
// back as something other than what was worked out, or not at all, so writers refuse it.

#include <optional>
#include <string>
#include <string_view>

namespace plumetra {

// The first word of `text` that is a printed non-finite number; std::nullopt when there is
// none. A word is what stands between blanks, TABs, line ends, commas, semicolons, quotes,
// brackets and the start or end of the text, so "Infection" or "Nancy" are no such words.
std::optional<std::string> nonFiniteNumberIn(std::string_view text);

// Whether `text`, blanks around it aside, is one such word alone: how some programs write a
// missing value ("NaN").
bool isNonFiniteNumberText(std::string_view text);

// The reason a writer gives when it refuses such a text.
std::string nonFiniteRefusal(std::string_view word);

}  // namespace plumetra
