#pragma once

#include <string_view>

// Causes the endpoint reports when a send cannot happen. UTF-8.
namespace quillet::net::texts {

inline constexpr std::string_view kBadServerAddress = "无法识别的服务器地址:";
inline constexpr std::string_view kSendFailed = "数据包未能发出";

}  // namespace quillet::net::texts
