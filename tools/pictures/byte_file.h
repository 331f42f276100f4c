#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

using Bytes = std::vector<std::uint8_t>;

// Appends little-endian fields, the byte order of every Windows picture header.
void putU16(Bytes& out, std::uint16_t value);
void putU32(Bytes& out, std::uint32_t value);
void putI32(Bytes& out, std::int32_t value);

// Throws std::runtime_error when the file cannot be written completely.
void writeBytes(const std::string& path, const Bytes& bytes);

}  // namespace pictures
