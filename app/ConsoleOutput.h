#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace Vorlune {

enum class StandardStream { Output, Error };

// To what the program was started with: a redirected handle (a file or a pipe) as it is, text
// in UTF-8; otherwise the console of the program that started it, attached on first use.
// False when there is neither, or the write failed.
bool WriteToStream(StandardStream stream, std::span<const std::uint8_t> bytes);
bool WriteToStream(StandardStream stream, const std::wstring& text);

}  // namespace Vorlune
