#pragma once
// SHA-256 of a byte string, as lower-case hexadecimal: the fingerprint of a study's input.
#include <string>
#include <string_view>

namespace tessavin {

std::string Sha256Hex(std::string_view bytes);

} // namespace tessavin
