#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace Vorlune {

// What a running instance hands back to the start that gave it a command: the exit code, the
// report for standard error and the raw image for standard output.
struct CommandReply {
    std::int32_t exitCode = 0;
    std::wstring report;
    std::vector<std::uint8_t> png;
};

// The exit code and the report's length as little-endian 32-bit numbers, the report's UTF-16
// units, then the image's bytes.
std::vector<std::uint8_t> PackReply(const CommandReply& reply);
// Nothing when bytes are shorter than their own lengths say.
std::optional<CommandReply> UnpackReply(std::span<const std::uint8_t> bytes);

}  // namespace Vorlune
