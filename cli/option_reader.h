#pragma once
// The shape every group of command-line options shares: an option with a
// value is taken out of the arguments wherever it stands ("--name VALUE" or
// "--name=VALUE"), and its value is one word of a few or a number.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tarnik::cli {

// Takes "--name VALUE" or "--name=VALUE" at args[i] out of args. Returns
// whether the argument is this option; has_value is false (and value
// empty) when it is the last argument and has none.
bool TakeOption(std::vector<std::string>& args, std::size_t i, const std::string& name,
                std::string& value, bool& has_value);

// The whole text as a finite number (strtod's form); false for anything
// else, an empty text or a number out of double's range included.
bool ReadFiniteNumber(const std::string& text, double& value);

// The value of the word that text is, out of words; false for any other.
template <typename T, std::size_t N>
bool ReadWord(const std::string& text, const std::pair<const char*, T> (&words)[N], T& value) {
    for (const auto& [word, meaning] : words) {
        if (text == word) {
            value = meaning;
            return true;
        }
    }
    return false;
}

}  // namespace tarnik::cli
