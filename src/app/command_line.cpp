#include "app/command_line.h"

#include <algorithm>

#include "texts/texts.h"

namespace quillet::app {

namespace {

// A mistake on the command line, as the GNU tools report one.
constexpr int kUsageStatus = 2;

[[nodiscard]] bool Has(std::span<const std::string_view> arguments, std::string_view option) {
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
}

}  // namespace

std::optional<int> AnswerOwnOption(std::span<const std::string_view> arguments, std::ostream& out) {
    using namespace texts;
    if (Has(arguments, kHelpOption)) {
        out << kUsageLine << kHelpText;
    } else if (Has(arguments, kVersionOption)) {
        out << kVersionPrefix << QUILLET_VERSION << '\n' << kCopyrightLine << '\n' << kLicenceLine;
    } else {
        return std::nullopt;
    }
    out.flush();
    return out ? 0 : 1;  // a closed or full stdout is an error too
}

std::optional<int> RefuseLeftovers(std::span<const std::string_view> arguments, std::ostream& err) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    err << texts::kUnknownArgument << arguments.front() << '\n' << texts::kUsageLine;
    return kUsageStatus;
}

}  // namespace quillet::app
