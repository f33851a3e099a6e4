// The whole lookup against a real DNS server on loopback: type, press, read the rows.
#include <gtest/gtest.h>

#include "support/knot_server.h"
#include "support/main_window_fixture.h"

namespace quillet::app {
namespace {

const char kZone[] = R"($ORIGIN example.com.
$TTL 3600
@       IN SOA  ns1.example.com. hostmaster.example.com. 1 3600 600 86400 300
@       IN NS   ns1
@       IN NS   ns2.example.net.
@       IN A    192.0.2.1
@       IN MX   10 @
@       IN MX   20 mail
ns1     IN A    192.0.2.53
mail    IN A    192.0.2.25
mail    IN AAAA 2001:db8::25
www     IN CNAME @
alias   IN CNAME elsewhere.example.org.
)";

class QueryEndToEndTest : public quillet::testing::MainWindowTest {
protected:
    static void SetUpTestSuite() {
        server = new quillet::testing::KnotServer;
        startError = server->Start("example.com", kZone);
    }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        ASSERT_EQ(startError, QString()) << startError.toStdString();
        OpenWindow(server->port(), server->address().toString());
    }

    // Runs one query and waits until its rows (or the empty-answer box) are in.
    QStringList Lookup(const QString& domain, const QString& type) {
        Query(domain, type);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return window->List_Show->count() > 0 || !fake.messages.shown.empty(); }));
        return Rows();
    }

    static inline quillet::testing::KnotServer* server = nullptr;
    static inline QString startError;
};

TEST_F(QueryEndToEndTest, AQueryShowsTheAddress) {
    EXPECT_EQ(Lookup("example.com", QStringLiteral("A记录查询")),
              QStringList({QStringLiteral("提交的域名为:example.com"),
                           QStringLiteral("IP信息:192.0.2.1")}));
}

TEST_F(QueryEndToEndTest, NsQueryShowsServersAndTheirAddresses) {
    const QStringList rows = Lookup("example.com", QStringLiteral("NS记录查询"));
    ASSERT_GE(rows.size(), 4);
    EXPECT_EQ(rows.at(0), QStringLiteral("提交的域名为:example.com"));
    EXPECT_TRUE(rows.contains(QStringLiteral("DNS信息:ns1.example.com")));
    EXPECT_TRUE(rows.contains(QStringLiteral("DNS信息:ns2.example.net")));
    // The additional section gives the in-zone server's address after the answers.
    EXPECT_EQ(rows.last(), QStringLiteral("IP信息:192.0.2.53"));
}

TEST_F(QueryEndToEndTest, CnameQueryShowsTheCanonicalName) {
    EXPECT_EQ(Lookup("www.example.com", QStringLiteral("别名纪录查询")),
              QStringList({QStringLiteral("提交的域名为:www.example.com"),
                           QStringLiteral("非权威记录:example.com")}));
    window->List_Show->clear();
    EXPECT_EQ(Lookup("alias.example.com", QStringLiteral("别名纪录查询")).value(1),
              QStringLiteral("非权威记录:elsewhere.example.org"));
}

TEST_F(QueryEndToEndTest, MxQueryShowsExchangesThenStopsAtTheAaaaRecord) {
    const QStringList rows = Lookup("example.com", QStringLiteral("MX记录查询"));
    ASSERT_GE(rows.size(), 3);
    EXPECT_EQ(rows.at(0), QStringLiteral("提交的域名为:example.com"));
    // The apex exchange is one compression pointer: no leading dot.
    EXPECT_TRUE(rows.contains(QStringLiteral("MX记录:example.com")));
    EXPECT_TRUE(rows.contains(QStringLiteral("MX记录:mail.example.com")));
    EXPECT_TRUE(rows.contains(QStringLiteral("IP信息:192.0.2.25")));
    // The additional AAAA record ends the walk with the four unrecognised-type lines.
    ASSERT_GE(rows.size(), 4);
    const QStringList tail = rows.mid(rows.size() - 4);
    EXPECT_EQ(tail.at(0), QStringLiteral("出现未知记录类型，请与作者联系"));
    EXPECT_EQ(tail.at(1), QStringLiteral("类型字串:1C"));
    EXPECT_EQ(tail.at(2), QStringLiteral("类型编号:28"));
    EXPECT_TRUE(tail.at(3).startsWith(QStringLiteral("位置:")));
    // The position is the slot of the type's low byte: check it against the dump.
    const QStringList dump = window->Txt_Show->text().split(' ', Qt::SkipEmptyParts);
    const int slot = tail.at(3).mid(3).toInt();
    ASSERT_GE(slot, 2);
    ASSERT_LE(slot, dump.size());
    EXPECT_EQ(dump.at(slot - 1), "1C");
    EXPECT_EQ(dump.at(slot - 2), "00");
}

TEST_F(QueryEndToEndTest, ANameThatDoesNotExistGivesTheEmptyAnswerBox) {
    EXPECT_TRUE(Lookup("nothing.example.com", QStringLiteral("A记录查询")).isEmpty());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, QStringLiteral("请检查您输入的域名以及查询类型"));
    EXPECT_EQ(fake.messages.shown[0].title, QStringLiteral("未查询到结果?"));
    EXPECT_EQ(fake.messages.shown[0].icon, platform::MessageIcon::Error);
}

}  // namespace
}  // namespace quillet::app
