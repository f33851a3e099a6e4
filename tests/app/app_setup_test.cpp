#include "app/app_setup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTranslator>
#include <algorithm>
#include <string_view>

#include "texts/qt_texts.h"

namespace quillet::app {
namespace {

// Without one face that holds every character, Qt falls back glyph by glyph and the window
// shows mixed, misaligned type (or boxes where no font has the glyph).
TEST(AppSetupTest, TheDefaultFontHoldsEveryCharacterOfTheInterface) {
    SetDefaultFont(*qApp);
    const QFont font = QApplication::font();
    EXPECT_EQ(font.pointSize(), 9);
    EXPECT_EQ(font.weight(), QFont::Normal);
    const QFontMetrics metrics(font);

    // A Song face, the first one installed; fonts-noto-cjk alone brings one, so the Hei face
    // at the end of the list is never what a packaged copy shows.
    const QStringList faces = SongFaces();
    const auto installed = std::find_if(faces.begin(), faces.end(), QFontDatabase::hasFamily);
    ASSERT_NE(installed, faces.end());
    EXPECT_EQ(QFontInfo(font).family(), *installed);
    EXPECT_NE(*installed, faces.back());

    using namespace quillet::texts;
    // clang-format off
    const std::string_view shown[] = {
        kSendButton, kLabelDomain, kLabelServer, kLabelType,
        kCreditLine, kCreditTooltip, kCopyrightLine, kBadDomainText,
        kBadDomainTitle, kSendFailurePrefix, kSendFailureTitle, kEmptyAnswerText,
        kEmptyAnswerTitle, kTypeA, kTypeNS, kTypeCNAME,
        kTypeMX, kRowQuestion, kRowA, kRowNS,
        kRowCNAME, kRowSOA, kRowMX, kRowUnknownType,
        kRowTypeString, kRowTypeNumber, kRowPosition, kAboutCaption,
        kAuthorLabel, kDoneButton, kMenuPing, kMenuSearch,
        kMenuSave, kSaveTitle, kExportedTitle,
    };
    // clang-format on
    QStringList texts;
    for (std::string_view text : shown) texts << ToQString(text);

    for (const QString& text : texts) {
        for (const char32_t c : text.toUcs4()) {
            EXPECT_TRUE(metrics.inFontUcs4(c))
                << QFontInfo(font).family().toStdString() << " lacks U+" << std::hex
                << static_cast<unsigned>(c) << " of " << text.toStdString();
        }
    }
}

TEST(AppSetupTest, QtsOwnDialogsSpeakChinese) {
    QTranslator translator;
    ASSERT_TRUE(InstallQtTranslation(*qApp, translator));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("确定"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
    QCoreApplication::removeTranslator(&translator);
}

}  // namespace
}  // namespace quillet::app
