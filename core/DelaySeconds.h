#pragma once
#include <string>

namespace Vorlune {

// The longest delay the settings page offers: a larger one, edited by hand, would hold the
// program in its countdown with no way out.
constexpr int kLongestDelaySeconds = 15;

// DelaySeconds as std::stoi reads it, at most kLongestDelaySeconds, with stoi's exceptions
// under fixed texts.
int ParseDelaySeconds(const std::wstring& text);

}  // namespace Vorlune
