#pragma once
// The shipped English language file, built into the program: the texts a
// missing or damaged QRV_E.lng on disk no longer gives.
#include <string_view>

namespace qrv {

std::string_view BuiltInEnglishText();

} // namespace qrv
