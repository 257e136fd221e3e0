#pragma once
// The patterns of the texts' catalogues (the reports' and the messages'):
// a sentence made with a file's data written once, its variable parts
// marked. "#" stands for a whole number or a list of them ("30, 30, 25"),
// "*" and "@" for any text (the catalogue of messages translates an "@"
// part in turn, a "*" part stays as it is). Standard library only.

#include <string>
#include <string_view>
#include <vector>

namespace zav {

// Whether `text` is `pattern` (a "*" or "@" takes the shortest text that
// lets the rest match), with the variable parts appended to `parts` in
// order; `parts` is left as it was when it is not.
bool matchesPattern(std::string_view pattern, std::string_view text, std::vector<std::string_view>& parts);

// `translation` with its "#", "*" and "@" replaced by `parts` in order.
std::string filledPattern(std::string_view translation, const std::vector<std::string>& parts);

} // namespace zav
