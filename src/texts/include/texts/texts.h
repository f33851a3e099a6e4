#pragma once

// Every text the program shows, sends or writes, in one place so the exact bytes can be
// checked side by side, and the words for every code the codec gives. UTF-8, standard C++
// only: the decoder's formatting and its fuzzer use it without Qt.

#include <array>
#include <string_view>

#include "dns/domain_check.h"
#include "dns/fault.h"
#include "dns/query_builder.h"
#include "dns/reply_bytes.h"

namespace quillet::texts {

// The main window.
inline constexpr std::string_view kWindowTitle = "Quillet";
inline constexpr std::string_view kSendButton = "查询";
inline constexpr std::string_view kLabelDomain = "查询域名";
inline constexpr std::string_view kLabelServer = "域名服务器";
inline constexpr std::string_view kLabelType = "查询类型";
inline constexpr std::string_view kResultsListName = "查询结果";
// What screen readers call the caption buttons, which show pictures only.
inline constexpr std::array<std::string_view, 3> kCaptionButtonNames = {"最小化", "关于作者",
                                                                        "关闭"};
inline constexpr std::string_view kCreditLine = "由 Quillet 开发组制作";
inline constexpr std::string_view kCreditTooltip = "解析 A、NS、别名和 MX 记录";
inline constexpr std::string_view kCopyrightLine = "© 2026 Quillet";

// Public recursive resolvers reachable from mainland China; the second is the default.
inline constexpr std::array<std::string_view, 4> kPresetServers = {
    "114.114.114.114",  // 114DNS
    "223.5.5.5",        // AliDNS
    "119.29.29.29",     // DNSPod
    "180.76.76.76",     // Baidu
};

// Query type rows of the type list (query_types.h maps them to types).
inline constexpr std::string_view kTypeA = "A记录查询";
inline constexpr std::string_view kTypeNS = "NS记录查询";
inline constexpr std::string_view kTypeCNAME = "别名纪录查询";
inline constexpr std::string_view kTypeMX = "MX记录查询";

// The query action's messages.
inline constexpr std::string_view kBadDomainText = "请输入正确的域名信息";
inline constexpr std::string_view kBadDomainTitle = "错误";
inline constexpr std::string_view kSendFailurePrefix =
    "程序在打包和发送的过程中出现致命错误,错误描述:";
inline constexpr std::string_view kSendFailureTitle = "异常错误";
inline constexpr std::string_view kEmptyAnswerText = "请检查您输入的域名以及查询类型";
inline constexpr std::string_view kEmptyAnswerTitle = "未查询到结果?";

// Causes the endpoint reports when a send cannot happen.
inline constexpr std::string_view kBadServerAddress = "无法识别的服务器地址:";
inline constexpr std::string_view kSendFailed = "数据包未能发出";

// Result line labels.
inline constexpr std::string_view kRowQuestion = "提交的域名为:";
inline constexpr std::string_view kRowA = "IP信息:";
inline constexpr std::string_view kRowNS = "DNS信息:";
inline constexpr std::string_view kRowCNAME = "非权威记录:";
inline constexpr std::string_view kRowSOA = "主域名服务器:";
inline constexpr std::string_view kRowMX = "MX记录:";
inline constexpr std::string_view kRowUnknownType = "出现未知记录类型，请与作者联系";
inline constexpr std::string_view kRowTypeString = "类型字串:";
inline constexpr std::string_view kRowTypeNumber = "类型编号:";
inline constexpr std::string_view kRowPosition = "位置:";

// Decode failure: the prefix, then the cause.
inline constexpr std::string_view kDecodeFailurePrefix =
    "程序在分析和解压缩数据包出现未知错误，请与管理员联系.错误描述:";

// The credits. Deliberately neutral: the project's name, a placeholder contact and a
// reserved example domain. Short enough for the about box's fixed 81-pixel lines.
inline constexpr std::string_view kAuthor = "Quillet";
inline constexpr std::string_view kWebSite = "www.example.org";

// About box.
inline constexpr std::string_view kAboutCaption = "关于作者";
inline constexpr std::string_view kAuthorLabel = "作者:Quillet";
inline constexpr std::string_view kContactLabel = "QQ:000000";
inline constexpr std::string_view kDoneButton = "看完了";

// Results context menu.
inline constexpr std::string_view kMenuTitle = "右键菜单";
inline constexpr std::string_view kMenuPing = "PING工具";
inline constexpr std::string_view kMenuSearch = "百度一下";
inline constexpr std::string_view kMenuSave = "导出结果";

// Ping and web search.
inline constexpr std::string_view kPingProgram = "ping";
inline constexpr std::string_view kSearchAddressPrefix = "https://www.baidu.com/s?wd=domain:";

// Save dialog.
inline constexpr std::string_view kSaveTitle = "导出结果到...";
inline constexpr std::string_view kSaveDefaultName = "查询结果.txt";
inline constexpr std::string_view kSaveFilter = "查询结果数据(*.txt)";
inline constexpr std::string_view kSaveDefaultSuffix = "TXT";
// %1 is the folder that does not exist.
inline constexpr std::string_view kSaveFolderMissing = "%1\n路径不存在。\n请检查路径是否正确。";

// Export file, line by line; every line ends in CR LF.
inline constexpr std::string_view kBannerRule = "##############################";
inline constexpr std::string_view kBannerTool = "# 该数据保存自Quillet工具";
inline constexpr std::string_view kBannerTimeLabel = "# 保存时间:";
inline constexpr std::string_view kBannerAuthorLabel = "# 作者:";
inline constexpr std::string_view kRowPrefix = "# ";
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kDateFormat = "yyyy-MM-dd";
inline constexpr std::string_view kTimeFormat = "HH:mm:ss";

// Export report.
inline constexpr std::string_view kExportedCountBefore = "共导出 ";
inline constexpr std::string_view kExportedCountAfter = "条记录";
inline constexpr std::string_view kExportedPathLabel = "导出位置:";
inline constexpr std::string_view kExportedTitle = "导出结果成功";

// The terminal's texts, for --help, --version and a command line that Qt does not take
// either. English, as every program in /usr/bin answers these, whatever its window speaks.
inline constexpr std::string_view kHelpOption = "--help";
inline constexpr std::string_view kVersionOption = "--version";
inline constexpr std::string_view kUsageLine =
    "Usage: quillet [--help | --version] [QT-OPTION]...\n";
inline constexpr std::string_view kHelpText =
    "Look up the DNS records of a domain, in a window.\n"
    "\n"
    "      --help     display this help and exit\n"
    "      --version  output version information and exit\n"
    "\n"
    "Qt's own options, such as -platform NAME, -display DISPLAY, -style NAME and\n"
    "-session NAME, reach Qt as for every Qt program. See quillet(1).\n";
inline constexpr std::string_view kVersionPrefix = "quillet ";  // then the version number
inline constexpr std::string_view kLicenceLine = "Released under the MIT licence.\n";
inline constexpr std::string_view kUnknownArgument = "quillet: unknown argument: ";
inline constexpr std::string_view kWriteError = "quillet: write error: ";  // then the cause

// The domain check's verdict in words. Nothing shows it: a rejected domain gets the query
// action's own message instead.
[[nodiscard]] constexpr std::string_view TextOf(dns::Verdict verdict) {
    switch (verdict) {
        case dns::Verdict::kOk:
            return "域名检测通过：合法";
        case dns::Verdict::kEmpty:
            return "域名为空";
        case dns::Verdict::kIllegalChar:
            return "域名含有非法字符";
        case dns::Verdict::kNoDot:
            return "域名没有小数点或者小数点位置不对";
    }
    return {};
}

// Why a query could not be built (shown after kSendFailurePrefix).
[[nodiscard]] constexpr std::string_view TextOf(dns::BuildError error) {
    switch (error) {
        case dns::BuildError::kNone:
            return {};
        case dns::BuildError::kTooManyLabels:
            return "域名的标签超过10个";
        case dns::BuildError::kEmptyLabel:
            return "域名中有空的标签";
        case dns::BuildError::kLabelTooLong:
            return "域名中有超过63个字符的标签";
        case dns::BuildError::kNameTooLong:
            return "域名超过255个字节";
    }
    return {};
}

// Why a decode stopped (kept after kDecodeFailurePrefix).
[[nodiscard]] constexpr std::string_view TextOf(dns::Fault fault) {
    switch (fault) {
        case dns::Fault::kNone:
            return {};
        case dns::Fault::kReplyTooLong:
            static_assert(dns::kMaxReplyBytes == 513, "the text names the limit");
            return "回复超过513字节";
        case dns::Fault::kReplyNotHex:
            return "回复文本不是成对的十六进制数字";
        case dns::Fault::kHeaderTruncated:
            return "回复头部不完整";
        case dns::Fault::kRecordTruncated:
            return "记录超出了回复的末尾";
        case dns::Fault::kNameTruncated:
            return "域名超出了回复的末尾";
        case dns::Fault::kBadPointer:
            return "压缩指针没有指向此前的位置";
        case dns::Fault::kTooManyPointers:
            return "域名中的压缩指针过多";
    }
    return {};
}

}  // namespace quillet::texts
