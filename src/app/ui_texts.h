#pragma once

#include <QString>
#include <array>
#include <string_view>

// Every text the main window shows. UTF-8.
namespace quillet::app::texts {

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

inline constexpr std::string_view kBadDomainText = "请输入正确的域名信息";
inline constexpr std::string_view kBadDomainTitle = "错误";
inline constexpr std::string_view kSendFailurePrefix =
    "程序在打包和发送的过程中出现致命错误,错误描述:";
inline constexpr std::string_view kSendFailureTitle = "异常错误";
inline constexpr std::string_view kEmptyAnswerText = "请检查您输入的域名以及查询类型";
inline constexpr std::string_view kEmptyAnswerTitle = "未查询到结果?";

// Public recursive resolvers reachable from mainland China; the second is the default.
inline constexpr std::array<std::string_view, 4> kPresetServers = {
    "114.114.114.114",  // 114DNS
    "223.5.5.5",        // AliDNS
    "119.29.29.29",     // DNSPod
    "180.76.76.76",     // Baidu
};

}  // namespace quillet::app::texts

namespace quillet::app {

// The texts are UTF-8 in the source; Qt wants them as QString.
inline QString ToQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace quillet::app
