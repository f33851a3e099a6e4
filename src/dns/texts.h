#pragma once

#include <string_view>

// Every text the codec produces. UTF-8.
namespace quillet::dns::texts {

// Domain check verdicts.
inline constexpr std::string_view kVerdictEmpty = "域名为空";
inline constexpr std::string_view kVerdictIllegalChar = "域名含有非法字符";
inline constexpr std::string_view kVerdictLeadingDot = "域名小数点位置不对";
inline constexpr std::string_view kVerdictNoDot = "域名没有小数点或者小数点位置不对";
inline constexpr std::string_view kVerdictOk = "域名检测通过：合法";

// Query type rows of the type list.
inline constexpr std::string_view kTypeA = "A记录查询";
inline constexpr std::string_view kTypeNS = "NS记录查询";
inline constexpr std::string_view kTypeCNAME = "别名纪录查询";
inline constexpr std::string_view kTypeMX = "MX记录查询";

// Query build failures (shown after the query action's fixed prefix).
inline constexpr std::string_view kBuildTooManyLabels = "域名的标签超过10个";
inline constexpr std::string_view kBuildLabelTooLong = "域名中有超过255个字符的标签";

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

// Decode failure causes (each follows kDecodeFailurePrefix).
inline constexpr std::string_view kCauseReplyTooLong = "回复超过513字节";
inline constexpr std::string_view kCauseReplyNotHex = "回复文本不是成对的十六进制数字";
inline constexpr std::string_view kCauseHeaderTruncated = "回复头部不完整";
inline constexpr std::string_view kCauseRecordTruncated = "记录超出了回复的末尾";
inline constexpr std::string_view kCauseNameTruncated = "域名超出了回复的末尾";
inline constexpr std::string_view kCauseBadPointer = "压缩指针没有指向此前的位置";
inline constexpr std::string_view kCauseTooManyPointers = "域名中的压缩指针过多";

}  // namespace quillet::dns::texts
