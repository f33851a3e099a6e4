#pragma once

#include <QString>
#include <string_view>

#include "app/texts/texts.h"

namespace quillet {

// The catalogue's texts are UTF-8; Qt wants them as QString. The one conversion.
[[nodiscard]] inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace quillet
