#pragma once
// UTF-8 <-> UTF-16 for the link library's char16_t texts (terminal I/O is UTF-8).
#include <string>

#include "Decoding.h"

namespace relvo7::cli {

std::u16string toUtf16(const std::string& utf8);
using panel::toUtf8;

} // namespace relvo7::cli
