#include "core/CommandReply.h"

namespace Vorlune {

namespace {
constexpr std::size_t kNumberBytes = 4;

void PutNumber(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (std::size_t i = 0; i < kNumberBytes; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::uint32_t TakeNumber(std::span<const std::uint8_t>& bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kNumberBytes; ++i) value |= std::uint32_t{bytes[i]} << (8 * i);
    bytes = bytes.subspan(kNumberBytes);
    return value;
}
}  // namespace

std::vector<std::uint8_t> PackReply(const CommandReply& reply) {
    std::vector<std::uint8_t> bytes;
    PutNumber(bytes, static_cast<std::uint32_t>(reply.exitCode));
    PutNumber(bytes, static_cast<std::uint32_t>(reply.report.size()));
    for (const wchar_t unit : reply.report) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(unit) >> 8));
    }
    bytes.insert(bytes.end(), reply.png.begin(), reply.png.end());
    return bytes;
}

std::optional<CommandReply> UnpackReply(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2 * kNumberBytes) return std::nullopt;
    CommandReply reply;
    reply.exitCode = static_cast<std::int32_t>(TakeNumber(bytes));
    const std::uint32_t units = TakeNumber(bytes);
    if (bytes.size() / 2 < units) return std::nullopt;
    for (std::uint32_t i = 0; i < units; ++i)
        reply.report += static_cast<wchar_t>(bytes[2 * i] | (std::uint16_t{bytes[2 * i + 1]} << 8));
    bytes = bytes.subspan(2 * std::size_t{units});
    reply.png.assign(bytes.begin(), bytes.end());
    return reply;
}

}  // namespace Vorlune
