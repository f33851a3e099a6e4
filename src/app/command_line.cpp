#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

#include "texts/texts.h"

namespace quillet::app {

namespace {

// A mistake on the command line, as the GNU tools report one.
constexpr int kUsageStatus = 2;

[[nodiscard]] bool Has(std::span<const std::string_view> arguments, std::string_view option) {
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
}

// How one of Qt's options takes its value, as Qt reads it.
enum class Takes {
    Nothing,
    Next,       // the next argument, and only if there is one: -style NAME
    NextIfAny,  // the next argument if there is one, else nothing: -platform NAME
    Attached,   // -style=NAME
};

struct QtOption {
    std::string_view name;
    Takes takes;
};

// Qt 6.4's options in the turns Qt reads them (the platform choice, the xcb plugin,
// QCoreApplication, QGuiApplication, QApplication), each turn taking out what it knows before
// the next. Qt takes each also with two dashes. The xcb plugin's options, and the -geometry,
// -title and -icon it makes Qt take, count here whatever the platform: which plugin loads is
// known only once one has, and what it leaves then is refused by RefuseLeftovers.
using enum Takes;
constexpr QtOption kPlatformOptions[] = {{"-platformpluginpath", NextIfAny},
                                         {"-platform", NextIfAny},
                                         {"-platformtheme", NextIfAny},
                                         {"-qwindowgeometry", NextIfAny},
                                         {"-geometry", NextIfAny},
                                         {"-qwindowtitle", NextIfAny},
                                         {"-title", NextIfAny},
                                         {"-qwindowicon", NextIfAny},
                                         {"-icon", NextIfAny}};
constexpr QtOption kXcbOptions[] = {{"-display", Next},
                                    {"-name", Next},
                                    {"-visual", Next},
                                    {"-nograb", Nothing},
                                    {"-dograb", Nothing}};
constexpr QtOption kCoreOptions[] = {{"-qmljsdebugger=", Attached}, {"-qmljsdebugger", Next}};
constexpr QtOption kGuiOptions[] = {{"-plugin", NextIfAny}, {"-reverse", Nothing},
                                    {"-session", Next},     {"-testability", Nothing},
                                    {"-style=", Attached},  {"-style", Next}};
constexpr QtOption kWidgetsOptions[] = {{"-qdevel", Nothing},
                                        {"-qdebug", Nothing},
                                        {"-stylesheet", Next},
                                        {"-stylesheet=", Attached},
                                        {"-widgetcount", Nothing}};
constexpr std::array<std::span<const QtOption>, 5> kQtTurns{
    kPlatformOptions, kXcbOptions, kCoreOptions, kGuiOptions, kWidgetsOptions};

// One of Qt's turns: what it leaves of `arguments`.
[[nodiscard]] std::vector<std::string_view> LeftBy(std::span<const std::string_view> arguments,
                                                   std::span<const QtOption> options) {
    std::vector<std::string_view> left;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view argument = arguments[i];
        if (argument.starts_with("--")) argument.remove_prefix(1);
        const auto option = std::find_if(options.begin(), options.end(), [&](const QtOption& o) {
            return o.takes == Attached ? argument.starts_with(o.name) : argument == o.name;
        });
        const bool hasNext = i + 1 < arguments.size();
        if (option == options.end() || (option->takes == Next && !hasNext)) {
            left.push_back(arguments[i]);
        } else if (option->takes == Next || option->takes == NextIfAny) {
            ++i;
        }
    }
    return left;
}

// An argument as the terminal may show it, quoted as the GNU tools quote in messages: what
// the locale cannot print (an escape sequence, a stray byte) comes as \xHH, so an argument
// can neither drive the terminal nor hide in it.
[[nodiscard]] std::string Quoted(std::string_view text) {
    std::string quoted = "'";
    std::mbstate_t state{};
    for (std::size_t i = 0; i < text.size();) {
        wchar_t wide = 0;
        const std::size_t length = std::mbrtowc(&wide, &text[i], text.size() - i, &state);
        if (length == 0 || length > text.size() - i || !std::iswprint(static_cast<wint_t>(wide))) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(text[i]));
            quoted += hex;
            state = {};
            ++i;
            continue;
        }
        if (text[i] == '\'' || text[i] == '\\') quoted += '\\';
        quoted.append(text, i, length);
        i += length;
    }
    return quoted + "'";
}

}  // namespace

std::optional<int> AnswerOwnOption(std::span<const std::string_view> arguments, std::ostream& out,
                                   std::ostream& err) {
    using namespace texts;
    errno = 0;  // a failed write leaves its cause here
    if (Has(arguments, kHelpOption)) {
        out << kUsageLine << kHelpText;
    } else if (Has(arguments, kVersionOption)) {
        out << kVersionPrefix << QUILLET_VERSION << '\n' << kCopyrightLine << '\n' << kLicenceLine;
    } else {
        return std::nullopt;
    }
    if (out.flush()) return 0;
    // A closed or full standard output is an error too, and says so.
    err << kWriteError << std::strerror(errno != 0 ? errno : EIO) << '\n';
    return 1;
}

std::optional<int> RefuseUnknown(std::span<const std::string_view> arguments, std::ostream& err) {
    std::vector<std::string_view> left(arguments.begin(), arguments.end());
    for (const std::span<const QtOption> turn : kQtTurns) left = LeftBy(left, turn);
    return RefuseLeftovers(left, err);
}

std::optional<int> RefuseLeftovers(std::span<const std::string_view> arguments, std::ostream& err) {
    if (arguments.empty()) {
        return std::nullopt;
    }
    err << texts::kUnknownArgument << Quoted(arguments.front()) << '\n' << texts::kUsageLine;
    return kUsageStatus;
}

}  // namespace quillet::app
