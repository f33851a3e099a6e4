#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "dns/record_type.h"
#include "texts/texts.h"

namespace quillet::texts {

// The rows of the type list, in order, and the record type each asks for.
inline constexpr std::array<std::pair<std::string_view, dns::RecordType>, 4> kQueryTypeRows = {{
    {kTypeA, dns::RecordType::kA},
    {kTypeNS, dns::RecordType::kNS},
    {kTypeCNAME, dns::RecordType::kCNAME},
    {kTypeMX, dns::RecordType::kMX},
}};

// The type a row text asks for; none for any other text (exact, case-sensitive, untrimmed).
[[nodiscard]] constexpr std::optional<dns::RecordType> QueryTypeOf(std::string_view rowText) {
    for (const auto& [row, type] : kQueryTypeRows) {
        if (row == rowText) return type;
    }
    return std::nullopt;
}

}  // namespace quillet::texts
