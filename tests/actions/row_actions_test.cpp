#include <gtest/gtest.h>

#include <QAction>
#include <QMap>

#include "actions/row_actions.h"
#include "fakes.h"
#include "platform/url_opener.h"

namespace quillet::actions::testing {
namespace {

struct RowCase {
    const char* name;
    QString row;
    QString target;  // what ping and the search engine must both receive
};

void PrintTo(const RowCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<RowCase> RowCases() {
    return {
        {"Address", QStringLiteral("IP信息:192.0.2.7"), "192.0.2.7"},
        {"SeveralColons", QStringLiteral("邮件交换:10:mx.example.com:25"), "10:mx.example.com:25"},
        {"NoColon", QStringLiteral("没有冒号的行"), QStringLiteral("没有冒号的行")},
        {"EndsInColon", QStringLiteral("主机名:"), ""},
        {"ShellMetacharacters", QStringLiteral("别名:a;rm -rf ~"), "a;rm -rf ~"},
        {"CommandSubstitution", QStringLiteral("别名:$(id)"), "$(id)"},
        {"LooksLikeAnOption", QStringLiteral("别名:-f"), "-f"},
        {"BlanksAndChinese", QStringLiteral("别名: 中文 域名 "), QStringLiteral(" 中文 域名 ")},
        {"BlanksAtBothEnds", QStringLiteral("别名:  a.example "), "  a.example "},
        {"HashPercentQuestion", QStringLiteral("别名:a#b%c?d%41"), "a#b%c?d%41"},
        {"AQueryOfItsOwn", QStringLiteral("别名:?wd=x&y=z#"), "?wd=x&y=z#"},
        {"PlusEqualsPercent", QStringLiteral("别名:a+b=c&d 100%"), "a+b=c&d 100%"},
    };
}

// The query items a web server reads from a URL: the fragment never leaves the browser; the
// query splits at '&', each item at its first '='; '+' is a blank, then escapes are decoded.
QMap<QString, QString> ServerQuery(QByteArray url) {
    url.truncate(url.indexOf('#') < 0 ? url.size() : url.indexOf('#'));
    QMap<QString, QString> items;
    for (QByteArray item : url.mid(url.indexOf('?') + 1).split('&')) {
        item.replace('+', ' ');
        const qsizetype eq = item.indexOf('=');
        items.insert(QString::fromUtf8(QByteArray::fromPercentEncoding(item.left(eq))),
                     QString::fromUtf8(QByteArray::fromPercentEncoding(item.mid(eq + 1))));
    }
    return items;
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
    // Nothing for ping to reach: it is run bare and shows its usage.
    const QString& target = GetParam().target;
    const QStringList argv =
        target.isEmpty() ? QStringList{"-e", "ping"} : QStringList{"-e", "ping", "--", target};
    EXPECT_EQ(started.arguments, argv);
    EXPECT_TRUE(world.urls.opened.isEmpty());
}

TEST_P(RowActionTest, TheSearchEngineReceivesExactlyTheTarget) {
    PressOnRowUnderTest();
    world.Box()->menu_baidu->trigger();
    ASSERT_EQ(world.urls.opened.size(), 1);
    EXPECT_TRUE(world.processes.started.empty());
    const QByteArray url = platform::UrlForAddress(world.urls.opened[0]).toEncoded();
    EXPECT_TRUE(url.startsWith("https://www.baidu.com/s?wd=domain:")) << url.toStdString();
    const QMap<QString, QString> query = ServerQuery(url);
    EXPECT_EQ(query.keys(), QStringList{"wd"}) << url.toStdString();
    EXPECT_EQ(query.value("wd"), "domain:" + GetParam().target) << url.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, RowActionTest, ::testing::ValuesIn(RowCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RowActions, AnyOtherAddressReachesTheDesktopAsItIs) {
    // Only what a URL cannot carry is escaped; no trimming, no guessing; no scheme means web.
    const std::pair<QString, QByteArray> cases[] = {
        {"www.example.org", "http://www.example.org"},
        {"https://h.example/a b%zz?q=%2F#f ", "https://h.example/a%20b%25zz?q=%2F#f%20"},
        {QStringLiteral("h.example/中"), "http://h.example/%E4%B8%AD"},
    };
    for (const auto& [address, url] : cases) {
        EXPECT_EQ(platform::UrlForAddress(address).toEncoded(), url) << address.toStdString();
    }
}

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
