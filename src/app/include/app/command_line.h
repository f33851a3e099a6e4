#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace quillet::app {

// Quillet's own options, --help and --version, are answered before Qt starts, so that they
// need no display. Everything else is Qt's (a session manager restarts the program with
// -session NAME; -platform, -display, -style ...): building the application object takes out
// what Qt knows, and only what is left over is refused.

// Answers --help or --version, wherever either stands among `arguments` (argv without the
// program's name). Returns the exit status if it did; nothing if the window is to open.
[[nodiscard]] std::optional<int> AnswerOwnOption(std::span<const std::string_view> arguments,
                                                 std::ostream& out);

// After Qt has taken its own options: refuses whatever is left with the usage line. Returns
// the exit status if it did; nothing if nothing is left.
[[nodiscard]] std::optional<int> RefuseLeftovers(std::span<const std::string_view> arguments,
                                                 std::ostream& err);

}  // namespace quillet::app
