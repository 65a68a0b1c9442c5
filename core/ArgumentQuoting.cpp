#include "core/ArgumentQuoting.h"

#include <utility>

namespace Vorlune {

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool NeedsQuotes(const std::wstring& arg) { return arg.empty() || arg.find_first_of(L" \t\"") != std::wstring::npos; }

// Backslashes are literal unless a quote follows them: then each is doubled, and the quote
// escaped with one more unless it is the closing one.
std::wstring Quote(const std::wstring& arg) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
        } else if (c == L'"') {
            quoted.append(backslashes + 1, L'\\');
            backslashes = 0;
        } else {
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, L'\\');
    return quoted + L'"';
}
}  // namespace

std::wstring JoinArguments(const std::vector<std::wstring>& args) {
    std::wstring line;
    for (const std::wstring& arg : args) {
        if (!line.empty()) line += L' ';
        line += NeedsQuotes(arg) ? Quote(arg) : arg;
    }
    return line;
}

std::vector<std::wstring> SplitArguments(std::wstring_view line) {
    std::vector<std::wstring> args;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) return args;
        std::wstring arg;
        // 1 inside quotes; along a run of quotes it counts on, and a third in a row is a literal one.
        int quotes = 0;
        std::size_t backslashes = 0;
        while (i < line.size() && !(quotes == 0 && IsBlank(line[i]))) {
            const wchar_t c = line[i++];
            if (c != L'"') {
                backslashes = c == L'\\' ? backslashes + 1 : 0;
                arg += c;
                continue;
            }
            // Half the backslashes stand; an odd one out escapes the quote.
            arg.resize(arg.size() - backslashes / 2);
            if (backslashes % 2 == 1) {
                arg.back() = L'"';
            } else {
                ++quotes;
            }
            backslashes = 0;
            for (; i < line.size() && line[i] == L'"'; ++i) {
                if (++quotes == 3) {
                    arg += L'"';
                    quotes = 0;
                }
            }
            if (quotes == 2) quotes = 0;
        }
        args.push_back(std::move(arg));
    }
}

}  // namespace Vorlune
