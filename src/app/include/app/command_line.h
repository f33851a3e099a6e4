#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace quillet::app {

// Quillet's own options, --help and --version, are answered before Qt starts, so that they
// need no display. Everything else is Qt's (a session manager restarts the program with
// -session NAME; -platform, -display, -style ...), and what no part of Qt would take is
// refused before Qt starts too, display or not.

// Answers --help or --version, wherever either stands among `arguments` (argv without the
// program's name). Returns the exit status if it did; nothing if the window is to open. A
// failed write to `out` is told on `err`.
[[nodiscard]] std::optional<int> AnswerOwnOption(std::span<const std::string_view> arguments,
                                                 std::ostream& out, std::ostream& err);

// Before Qt starts: refuses, with the usage line, an argument that no part of Qt would take on
// any platform. Returns the exit status if it did; nothing if Qt may have the arguments.
[[nodiscard]] std::optional<int> RefuseUnknown(std::span<const std::string_view> arguments,
                                               std::ostream& err);

// After Qt has taken its own options: refuses whatever its platform left, with the usage line.
// Returns the exit status if it did; nothing if nothing is left.
[[nodiscard]] std::optional<int> RefuseLeftovers(std::span<const std::string_view> arguments,
                                                 std::ostream& err);

}  // namespace quillet::app
