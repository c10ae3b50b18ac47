// SHA-256 of a byte string (FIPS 180-4), to name the exact input files a
// report was made from.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace voxel {

// The 32-byte digest of `bytes`.
std::array<std::uint8_t, 32> sha256(const std::string& bytes);

// The digest as 64 lower-case hexadecimal digits.
std::string sha256_hex(const std::string& bytes);

}  // namespace voxel
