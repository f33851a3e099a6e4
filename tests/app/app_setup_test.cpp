#include "app/app_setup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTranslator>
#include <string_view>

#include "app/qt_texts.h"

namespace quillet::app {
namespace {

// Without one face that holds every character, Qt falls back glyph by glyph and the window
// shows mixed, misaligned type (or boxes where no font has the glyph).
TEST(AppSetupTest, TheDefaultFontHoldsEveryCharacterOfTheInterface) {
    SetDefaultFont(*qApp);
    const QFont font = QApplication::font();
    EXPECT_EQ(font.pointSize(), 9);
    const QFontMetrics metrics(font);

    QStringList texts;
    for (std::string_view text : {texts::kSendButton,
                                  texts::kLabelDomain,
                                  texts::kLabelServer,
                                  texts::kLabelType,
                                  texts::kCreditLine,
                                  texts::kCreditTooltip,
                                  texts::kCopyrightLine,
                                  texts::kBadDomainText,
                                  texts::kBadDomainTitle,
                                  texts::kSendFailurePrefix,
                                  texts::kSendFailureTitle,
                                  texts::kEmptyAnswerText,
                                  texts::kEmptyAnswerTitle,
                                  texts::kTypeA,
                                  texts::kTypeNS,
                                  texts::kTypeCNAME,
                                  texts::kTypeMX,
                                  texts::kRowQuestion,
                                  texts::kRowA,
                                  texts::kRowNS,
                                  texts::kRowCNAME,
                                  texts::kRowSOA,
                                  texts::kRowMX,
                                  texts::kRowUnknownType,
                                  texts::kRowTypeString,
                                  texts::kRowTypeNumber,
                                  texts::kRowPosition,
                                  texts::kAboutCaption,
                                  texts::kAuthorLabel,
                                  texts::kDoneButton,
                                  texts::kMenuPing,
                                  texts::kMenuSearch,
                                  texts::kMenuSave,
                                  texts::kSaveTitle,
                                  texts::kExportedTitle}) {
        texts << ToQString(text);
    }

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
