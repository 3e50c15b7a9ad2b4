#pragma once

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <utility>

// Readable failure messages for Qt's text types.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '[' << texts.join(QStringLiteral(" | ")).toStdString() << ']';
}

/// A table of texts (UTF-8) and what a function gives for each.
using TextCases = std::initializer_list<std::pair<const char*, const char*>>;

/// Checks a function of a text against a table, naming the text that failed.
inline void expectTexts(const std::function<QString(const QString&)>& function, TextCases cases)
{
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(function(QString::fromUtf8(text)), QString::fromUtf8(expected)) << "for \"" << text << '"';
}

/// Fails the test unless a Status or Result is good, printing its error text.
#define ASSERT_OK(expression)                                                                                          \
    if (const auto& outcome_ = (expression); outcome_) {                                                               \
    } else                                                                                                             \
        GTEST_FAIL() << #expression << ": " << outcome_.errorText().toStdString()

/// Records a failure unless a Status or Result is good, printing its error text, and goes on.
#define EXPECT_OK(expression)                                                                                          \
    if (const auto& outcome_ = (expression); outcome_) {                                                               \
    } else                                                                                                             \
        ADD_FAILURE() << #expression << ": " << outcome_.errorText().toStdString()
