#pragma once

// Every text the result actions and the about box show or write. Kept in one place so the
// exact bytes (captions, banner lines, message pieces) can be checked side by side.

#include <QString>

namespace quillet::actions::texts {

// The credits. Deliberately neutral: the project's name, a placeholder contact and a
// reserved example domain. Short enough for the about box's fixed 81-pixel lines.
inline const QString kAuthor = QStringLiteral("Quillet");
inline const QString kContact = QStringLiteral("000000");
inline const QString kWebSite = QStringLiteral("www.example.org");

// About box.
inline const QString kAboutCaption = QStringLiteral("关于作者");
inline const QString kAuthorLabel = QStringLiteral("作者:") + kAuthor;
inline const QString kContactLabel = QStringLiteral("QQ:") + kContact;
inline const QString kDoneButton = QStringLiteral("看完了");

// Results context menu.
inline const QString kMenuTitle = QStringLiteral("右键菜单");
inline const QString kMenuPing = QStringLiteral("PING工具");
inline const QString kMenuSearch = QStringLiteral("百度一下");
inline const QString kMenuSave = QStringLiteral("导出结果");

// Ping and web search.
inline const QString kPingProgram = QStringLiteral("ping");
inline const QString kSearchAddressPrefix = QStringLiteral("https://www.baidu.com/s?wd=domain:");

// Save dialog.
inline const QString kSaveTitle = QStringLiteral("导出结果到...");
inline const QString kSaveDefaultName = QStringLiteral("查询结果.txt");
inline const QString kSaveFilter = QStringLiteral("查询结果数据(*.txt)");
inline const QString kSaveDefaultSuffix = QStringLiteral("TXT");

// Export file, line by line; every line ends in CR LF.
inline const QString kBannerRule = QString(30, QLatin1Char('#'));
inline const QString kBannerTool = QStringLiteral("# 该数据保存自Quillet工具");
inline const QString kBannerTimeLabel = QStringLiteral("# 保存时间:");
inline const QString kBannerAuthorLabel = QStringLiteral("# 作者:");
inline const QString kRowPrefix = QStringLiteral("# ");
inline const QString kLineEnd = QStringLiteral("\r\n");
inline const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
inline const QString kTimeFormat = QStringLiteral("HH:mm:ss");

// Export report.
inline const QString kExportedCountBefore = QStringLiteral("共导出 ");
inline const QString kExportedCountAfter = QStringLiteral("条记录");
inline const QString kExportedPathLabel = QStringLiteral("导出位置:");
inline const QString kExportedTitle = QStringLiteral("导出结果成功");

}  // namespace quillet::actions::texts
