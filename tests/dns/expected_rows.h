#pragma once

// The result lines the tests expect, built from the texts of texts.h.

#include <string>
#include <string_view>
#include <vector>

#include "dns/texts.h"

namespace quillet::dns::testing {

using Rows = std::vector<std::string>;

inline std::string Row(std::string_view label, std::string_view value) {
    return std::string(label) + std::string(value);
}
inline std::string Q(std::string_view name) {
    return Row(texts::kRowQuestion, name);
}
inline std::string A(std::string_view ip) {
    return Row(texts::kRowA, ip);
}
inline std::string NS(std::string_view name) {
    return Row(texts::kRowNS, name);
}
inline std::string CNAME(std::string_view name) {
    return Row(texts::kRowCNAME, name);
}
inline std::string SOA(std::string_view name) {
    return Row(texts::kRowSOA, name);
}
inline std::string MX(std::string_view name) {
    return Row(texts::kRowMX, name);
}

// The four lines of an unrecognised type.
inline Rows Unknown(std::string_view typeString, std::string_view typeNumber,
                    std::string_view position) {
    return {std::string(texts::kRowUnknownType), Row(texts::kRowTypeString, typeString),
            Row(texts::kRowTypeNumber, typeNumber), Row(texts::kRowPosition, position)};
}

inline Rows Concat(std::initializer_list<Rows> parts) {
    Rows all;
    for (const Rows& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

}  // namespace quillet::dns::testing
