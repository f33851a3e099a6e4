#pragma once

class QApplication;
class QTranslator;

namespace quillet::app {

// The default control font: 宋体 at 9 points, regular, or the nearest Song face installed.
void SetDefaultFont(QApplication& app);

// Makes the installed icon theme reachable also where the desktop names no theme.
void UseIconTheme();

// Loads Qt's own Chinese translation so that its dialogs say 确定 rather than OK.
// Returns false when the translation file is missing.
bool InstallQtTranslation(QApplication& app, QTranslator& translator);

}  // namespace quillet::app
