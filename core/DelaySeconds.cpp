#include "core/DelaySeconds.h"

#include <algorithm>
#include <stdexcept>

namespace Vorlune {

int ParseDelaySeconds(const std::wstring& text) {
    // The same texts whichever library the program was built with: the user reads them.
    try {
        return std::min(std::stoi(text), kLongestDelaySeconds);
    } catch (const std::invalid_argument&) {
        throw std::invalid_argument("invalid stoi argument");
    } catch (const std::out_of_range&) {
        throw std::out_of_range("stoi argument out of range");
    }
}

}  // namespace Vorlune
