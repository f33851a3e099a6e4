#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

#include "texts/texts.h"

namespace quillet {

// The catalogue's texts are UTF-8; Qt wants them as QString. The one conversion.
[[nodiscard]] inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The Song (Ming) faces the interface is set in, most wanted first: the Windows faces where a
// user has them, then Debian's (Noto Serif CJK comes with fonts-noto-cjk, AR PL UMing with
// fonts-arphic-uming). The Hei face is a last resort only.
[[nodiscard]] inline QStringList SongFaces() {
    return {QStringLiteral("SimSun"),         QStringLiteral("宋体"),
            QStringLiteral("NSimSun"),        QStringLiteral("Noto Serif CJK SC"),
            QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC")};
}

}  // namespace quillet
