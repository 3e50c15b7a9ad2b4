#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: splitting an input into parts, a scratch folder, and stopping loudly when a
// property does not hold so that libFuzzer keeps the input.
namespace fuzz {

/// The input cut at its NUL bytes into at most `count` parts; the last part takes the rest, missing parts are empty.
QList<QByteArray> parts(const uint8_t* data, size_t size, qsizetype count);

/// The text of UTF-8 bytes (malformed sequences become U+FFFD).
QString utf8(const QByteArray& bytes);

/// The text of bytes read as UTF-16 code units, lone surrogates included.
QString utf16(const QByteArray& bytes);

/// A folder that lives as long as the target, on a memory filesystem when there is one.
const QString& scratchFolder();

/// Prints what broke and the texts involved, then aborts so that libFuzzer saves the input.
[[noreturn]] void broken(const char* property, const QString& detail = QString());

/// Checks a property; `detail` is only built when it fails.
template <typename Detail> void require(bool holds, const char* property, Detail detail)
{
    if (!holds)
        broken(property, detail());
}

inline void require(bool holds, const char* property)
{
    if (!holds)
        broken(property);
}

} // namespace fuzz
