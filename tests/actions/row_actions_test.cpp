#include <gtest/gtest.h>

#include <QAction>

#include "actions/row_actions.h"
#include "fakes.h"
#include "platform/url_opener.h"

namespace quillet::actions::testing {
namespace {

struct RowCase {
    const char* name;
    QString row;
    QStringList pingArguments;  // after the terminal's own "-e"
    QString searchAddress;
    // What the desktop is handed for that address: the same characters, percent-encoded only
    // where a URL cannot hold them. Empty: the address itself.
    QByteArray searchUrl = {};
};

void PrintTo(const RowCase& c, std::ostream* os) {
    *os << c.name;
}

const QString kSearch = QStringLiteral("https://www.baidu.com/s?wd=domain:");
const QString kPing = QStringLiteral("ping");
const QString kEnd = QStringLiteral("--");

std::vector<RowCase> RowCases() {
    return {
        {"Address",
         QStringLiteral("IP信息:192.0.2.7"),
         {kPing, kEnd, "192.0.2.7"},
         kSearch + "192.0.2.7"},
        {"SeveralColons",
         QStringLiteral("邮件交换:10:mx.example.com:25"),
         {kPing, kEnd, "10:mx.example.com:25"},
         kSearch + "10:mx.example.com:25"},
        {"NoColon",
         QStringLiteral("没有冒号的行"),
         {kPing, kEnd, QStringLiteral("没有冒号的行")},
         kSearch + QStringLiteral("没有冒号的行"),
         kSearch.toLatin1() + "%E6%B2%A1%E6%9C%89%E5%86%92%E5%8F%B7%E7%9A%84%E8%A1%8C"},
        // Nothing for ping to reach: it is run bare and shows its usage.
        {"EndsInColon", QStringLiteral("主机名:"), {kPing}, kSearch},
        {"ShellMetacharacters",
         QStringLiteral("别名:a;rm -rf ~"),
         {kPing, kEnd, "a;rm -rf ~"},
         kSearch + "a;rm -rf ~",
         kSearch.toLatin1() + "a;rm%20-rf%20~"},
        {"CommandSubstitution",
         QStringLiteral("别名:$(id)"),
         {kPing, kEnd, "$(id)"},
         kSearch + "$(id)"},
        {"LooksLikeAnOption", QStringLiteral("别名:-f"), {kPing, kEnd, "-f"}, kSearch + "-f"},
        {"BlanksAndChinese",
         QStringLiteral("别名: 中文 域名 "),
         {kPing, kEnd, " 中文 域名 "},
         kSearch + QStringLiteral(" 中文 域名 "),
         kSearch.toLatin1() + "%20%E4%B8%AD%E6%96%87%20%E5%9F%9F%E5%90%8D%20"},
        {"BlanksAtBothEnds",
         QStringLiteral("别名:  a.example "),
         {kPing, kEnd, "  a.example "},
         kSearch + "  a.example ",
         kSearch.toLatin1() + "%20%20a.example%20"},
        {"HashPercentQuestion",
         QStringLiteral("别名:a#b%c?d%41"),
         {kPing, kEnd, "a#b%c?d%41"},
         kSearch + "a#b%c?d%41",
         // A lone '%' is escaped; "%41" is the letter A to any URL reader, and QUrl says so.
         kSearch.toLatin1() + "a#b%25c?dA"},
        {"AQueryOfItsOwn",
         QStringLiteral("别名:?wd=x&y=z#"),
         {kPing, kEnd, "?wd=x&y=z#"},
         kSearch + "?wd=x&y=z#"},
    };
}

class RowActionTest : public ::testing::TestWithParam<RowCase> {
protected:
    // The row under test sits second, so MenuY has to be read right to find it.
    void PressOnRowUnderTest() {
        world.Fill({QStringLiteral("提交的域名为:example.com"), GetParam().row});
        world.Press(20);
        ASSERT_EQ(world.popups.size(), 1u);
    }
    ActionsWorld world;
};

TEST_P(RowActionTest, PingRunsInATerminalWithTheTargetAsOneArgument) {
    PressOnRowUnderTest();
    world.Box()->Menu_Ping->trigger();
    ASSERT_EQ(world.processes.started.size(), 1u);
    const auto& started = world.processes.started[0];
    EXPECT_EQ(started.program, QStringLiteral("/usr/bin/x-terminal-emulator"));
    EXPECT_EQ(started.arguments, QStringList{QStringLiteral("-e")} + GetParam().pingArguments);
    EXPECT_TRUE(world.urls.opened.isEmpty());
}

TEST_P(RowActionTest, SearchOpensTheAddressWithTheTargetUnchanged) {
    PressOnRowUnderTest();
    world.Box()->menu_baidu->trigger();
    EXPECT_EQ(world.urls.opened, QStringList{GetParam().searchAddress});
    EXPECT_TRUE(world.processes.started.empty());
    const QByteArray url =
        GetParam().searchUrl.isEmpty() ? GetParam().searchAddress.toUtf8() : GetParam().searchUrl;
    EXPECT_EQ(platform::UrlForAddress(GetParam().searchAddress).toEncoded().toStdString(),
              url.toStdString());
}

INSTANTIATE_TEST_SUITE_P(Rows, RowActionTest, ::testing::ValuesIn(RowCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RowActions, RowGoneOrEmptyByTheTimeTheItemRunsDoesNothing) {
    ActionsWorld world;
    world.Fill({QStringLiteral("提交的域名为:example.com"), QStringLiteral("IP信息:192.0.2.7"),
                QString()});
    world.Press(30);  // the empty third row
    FormTemp* form = world.Box();
    ASSERT_NE(form, nullptr);
    form->Menu_Ping->trigger();
    form->menu_baidu->trigger();

    world.Press(20);
    world.Fill({QStringLiteral("提交的域名为:example.org")});  // a new reply, one row
    form->Menu_Ping->trigger();
    form->menu_baidu->trigger();

    EXPECT_TRUE(world.processes.started.empty());
    EXPECT_TRUE(world.urls.opened.isEmpty());
}

struct TerminalCase {
    QSet<QString> installed;
    QString program;
    QString runOption;
};

TEST(RowActions, PingUsesTheFirstInstalledTerminalWithItsOwnConvention) {
    const TerminalCase cases[] = {
        {{"xterm", "gnome-terminal", "x-terminal-emulator"}, "x-terminal-emulator", "-e"},
        {{"xterm", "gnome-terminal"}, "gnome-terminal", "--"},
        {{"xterm", "konsole"}, "konsole", "-e"},
        {{"xterm", "xfce4-terminal"}, "xfce4-terminal", "-x"},
        {{"xterm", "mate-terminal"}, "mate-terminal", "-x"},
        {{"xterm"}, "xterm", "-e"},
    };
    for (const TerminalCase& c : cases) {
        quillet::testing::RecordingProcessLauncher launcher;
        launcher.installed = c.installed;
        const std::optional<Command> command =
            PingInTerminal(QStringLiteral("192.0.2.7"), launcher);
        ASSERT_TRUE(command.has_value()) << c.program.toStdString();
        EXPECT_EQ(command->program, "/usr/bin/" + c.program);
        EXPECT_EQ(command->arguments,
                  (QStringList{c.runOption, "ping", "--", QStringLiteral("192.0.2.7")}));
    }
}

TEST(RowActions, NoTerminalInstalledStartsNothing) {
    ActionsWorld world;
    world.processes.installed.clear();
    world.Fill({QStringLiteral("IP信息:192.0.2.7")});
    world.Press(3);
    world.Box()->Menu_Ping->trigger();
    EXPECT_TRUE(world.processes.started.empty());
}

}  // namespace
}  // namespace quillet::actions::testing
