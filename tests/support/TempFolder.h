#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include "support/QtPrinters.h"

#include <optional>
#include <utility>

/// The bytes of a file, or nothing when it cannot be read.
QByteArray fileBytes(const QString& path);
/// Writes bytes to a file, creating its folders.
void writeBytes(const QString& path, const QByteArray& bytes);
/// Writes bytes to a file and extends it with zeros to `size` bytes that take no room on disk (a sparse file): a
/// file as large as a test needs, at no cost.
void writeSparse(const QString& path, const QByteArray& head, qint64 size);
/// A file of the tests' data (tests/data/...).
QString testData(const QString& relative);
/// Checks that two texts written by the program are the same bytes; on a difference, names the first line that
/// differs, which says more than the whole document.
void expectSameBytes(const QByteArray& written, const QByteArray& expected, const QString& what);

/// A fresh folder for one test, removed at the end.
class TempFolder {
public:
    TempFolder() { EXPECT_TRUE(m_dir.isValid()); }
    QString path() const { return m_dir.path(); }
    /// The absolute path of a file or folder inside (not created).
    QString file(const QString& relative) const { return m_dir.filePath(relative); }
    /// Writes bytes to a file inside, creating its folders; returns its path.
    QString write(const QString& relative, const QByteArray& bytes) const
    {
        writeBytes(file(relative), bytes);
        return file(relative);
    }
    QByteArray read(const QString& relative) const { return fileBytes(file(relative)); }

private:
    QTemporaryDir m_dir;
};

/// Sets environment variables for one test and puts the old values back afterwards.
class EnvGuard {
public:
    EnvGuard() = default;
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard();
    void set(const char* name, const QString& value) { change(name, value.toLocal8Bit()); }
    void unset(const char* name) { change(name, std::nullopt); }

private:
    void change(const char* name, const std::optional<QByteArray>& value);
    QList<std::pair<QByteArray, std::optional<QByteArray>>> m_saved;
};

/// A test's own home: drives, desktop and application data under one temporary folder.
/// Sets HOME, USERPROFILE, XDG_DATA_HOME, XDG_CONFIG_HOME and KV32_DRIVE_C / KV32_DRIVE_Z.
class TestHome {
public:
    TestHome();
    const TempFolder& folder() const { return m_folder; }
    QString drive(QChar letter) const { return m_folder.file(QStringLiteral("drives/") + letter.toUpper()); }
    QString desktop() const { return m_folder.file(QStringLiteral("home/Desktop")); }

private:
    TempFolder m_folder;
    EnvGuard m_env;
};
