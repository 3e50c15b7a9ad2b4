#include "support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    const QList<QByteArray> lines = written.split('\n');
    const QList<QByteArray> wanted = expected.split('\n');
    qsizetype line = 0;
    while (line < std::min(lines.size(), wanted.size()) && lines.at(line) == wanted.at(line))
        ++line;
    if (written != expected)
        ADD_FAILURE() << what.toStdString() << ", line " << line + 1 << " (" << written.size() << " bytes written, "
                      << expected.size() << " expected)\n  written:  " << lines.value(line).toStdString()
                      << "\n  expected: " << wanted.value(line).toStdString();
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

void EnvGuard::change(const char* name, const std::optional<QByteArray>& value)
{
    m_saved.append({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
    if (value)
        qputenv(name, *value);
    else
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
    QDir().mkpath(drive(QLatin1Char('C')));
    QDir().mkpath(drive(QLatin1Char('Z')));
    m_env.set("KV32_DRIVE_C", drive(QLatin1Char('C')));
    m_env.set("KV32_DRIVE_Z", drive(QLatin1Char('Z')));
}
