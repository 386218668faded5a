// Conversions of the caller's UTF-16 strings.
#pragma once
#include <cstddef>
#include <string>

namespace relvo7link {

size_t utf16Length(const char16_t* text);
std::string utf16ToUtf8(const char16_t* text);
// 8-bit text for an address: characters above 0x7F become '?'.
std::string utf16ToAscii(const char16_t* text);

}  // namespace relvo7link
