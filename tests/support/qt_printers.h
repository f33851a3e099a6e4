#pragma once

// How a failing check shows Qt's strings: as their text, with GoogleTest's escapes, instead of
// their bytes. Qt's types live in the global namespace, where argument-dependent lookup finds
// these; a QStringList, like any container, prints its elements through them. Every Qt test
// compiles with this header (see CMakeLists.txt).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <ostream>

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << ::testing::PrintToString(bytes.toStdString());
}

inline void PrintTo(const QString& text, std::ostream* os) {
    PrintTo(text.toUtf8(), os);
}
