#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

TempFolder::TempFolder()
{
    EXPECT_TRUE(m_dir.isValid());
}

QString TempFolder::write(const QString& relative, const QByteArray& bytes) const
{
    writeBytes(file(relative), bytes);
    return file(relative);
}

QByteArray TempFolder::read(const QString& relative) const
{
    return fileBytes(file(relative));
}

QByteArray fileBytes(const QString& path)
{
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    out.write(bytes);
}

void writeSparse(const QString& path, const QByteArray& head, qint64 size)
{
    writeBytes(path, head);
    EXPECT_TRUE(QFile::resize(path, size)) << path.toStdString();
}

QString testData(const QString& relative)
{
    return QDir::cleanPath(QStringLiteral(EXP_NRV_XML_TEST_DATA "/") + relative);
}

void expectSameBytes(const QByteArray& written, const QByteArray& expected, const QString& what)
{
    if (written == expected)
        return;
    const QList<QByteArray> lines = written.split('\n');
    const QList<QByteArray> wanted = expected.split('\n');
    for (qsizetype i = 0; i < std::min(lines.size(), wanted.size()); ++i) {
        if (lines.at(i) != wanted.at(i)) {
            ADD_FAILURE() << what.toStdString() << ", line " << i + 1 << "\n  written:  " << lines.at(i).toStdString()
                          << "\n  expected: " << wanted.at(i).toStdString();
            return;
        }
    }
    ADD_FAILURE() << what.toStdString() << ": one is a prefix of the other (" << written.size() << " bytes written, "
                  << expected.size() << " expected)";
}

EnvGuard::~EnvGuard()
{
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
        if (it->second)
            qputenv(it->first.constData(), *it->second);
        else
            qunsetenv(it->first.constData());
    }
}

void EnvGuard::remember(const char* name)
{
    std::optional<QByteArray> old;
    if (qEnvironmentVariableIsSet(name))
        old = qgetenv(name);
    m_saved.append({QByteArray(name), old});
}

void EnvGuard::set(const char* name, const QString& value)
{
    remember(name);
    qputenv(name, value.toLocal8Bit());
}

void EnvGuard::unset(const char* name)
{
    remember(name);
    qunsetenv(name);
}

TestHome::TestHome()
{
    const QString home = m_folder.file(QStringLiteral("home"));
    QDir().mkpath(home + QStringLiteral("/Desktop"));
    m_env.set("HOME", home);
    m_env.set("USERPROFILE", home);
    m_env.set("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    m_env.set("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    for (QChar letter : {QLatin1Char('C'), QLatin1Char('Z')}) {
        const QString folder = drive(letter);
        QDir().mkpath(folder);
        m_env.set(letter == QLatin1Char('C') ? "KV32_DRIVE_C" : "KV32_DRIVE_Z", folder);
    }
}

QString TestHome::drive(QChar letter) const
{
    return m_folder.file(QStringLiteral("drives/") + letter.toUpper());
}
