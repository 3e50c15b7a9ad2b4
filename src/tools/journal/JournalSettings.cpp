#include "tools/journal/JournalSettings.h"

#include "foundation/BoundedRead.h"
#include "foundation/DriveMapping.h"
#include "foundation/IniFile.h"
#include "foundation/SaveFile.h"
#include "tools/journal/JournalText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

const QString section = QStringLiteral("Datiserver");
const QString progressiveKey = QStringLiteral("LastProgGiornalexLotto");
const QString messageKey = QStringLiteral("LastMsgGiornalexLotto");

constexpr QFileDevice::Permissions writeBits =
    QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup | QFileDevice::WriteOther;

/// Both keys written into a copy of the file, whose bytes then replace the file's in one step.
Status writeBothKeys(const QString& localPath, const QString& lastProgressive, const QString& message)
{
    // The suite's file is read within the bound of every INI file: a larger one is refused, never rewritten cut.
    const Result<QByteArray> original = readBounded(localPath, ReadBound{LargestIniFile});
    if (!original)
        return original.status();

    QTemporaryFile copy(QFileInfo(localPath).absolutePath() + QStringLiteral("/kv32.ini.XXXXXX"));
    if (!copy.open())
        return Status::failure(copy.errorString());
    if (copy.write(*original) != original->size() || !copy.flush())
        return Status::failure(copy.errorString());
    copy.close();
    if (Status status = ScriviIni(copy.fileName(), section, progressiveKey, lastProgressive); !status)
        return status;
    if (Status status = ScriviIni(copy.fileName(), section, messageKey, message); !status)
        return status;
    const Result<QByteArray> updated = readBounded(copy.fileName(), ReadBound{LargestIniFile});
    if (!updated)
        return updated.status();

    SaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return Status::failure(file.errorString());
    if (file.write(*updated) != updated->size()) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return Status::failure(cause);
    }
    if (!file.commit())
        return Status::failure(file.errorString());
    return Status::success();
}

} // namespace

QString JournalSettings::nextProgressive(const QString& iniFile)
{
    return JournalText::numberText(JournalText::numericValue(LeggiIni(iniFile, section, progressiveKey)) + 1);
}

QString JournalSettings::lastMessage(const QString& iniFile)
{
    return LeggiIni(iniFile, section, messageKey);
}

Status JournalSettings::save(const QString& iniFile, const QString& lastProgressive, const QString& message)
{
    const QString localPath = DriveMapping::toLocalPath(iniFile);
    const QString shown = QDir::toNativeSeparators(localPath);
    const auto failure = [&shown](const QString& cause) {
        return Status::failure(
            QStringLiteral("Impossibile salvare l'ultimo progressivo nel file %1: %2").arg(shown, cause));
    };
    // The suite made the file; one that is missing means a wrong share, not a file to make up.
    if (!QFileInfo(localPath).isFile())
        return failure(QStringLiteral("il file non esiste"));

    // A refused attribute comes with the system's reason: the file may sit on a read-only share.
    const QFileDevice::Permissions before = QFile::permissions(localPath);
    Status status = Status::success();
    if (QFile file(localPath); !file.setPermissions(before | QFileDevice::WriteOwner | QFileDevice::WriteUser))
        status =
            Status::failure(QStringLiteral("non si può togliere l'attributo di sola lettura: ") + file.errorString());
    else
        status = writeBothKeys(localPath, lastProgressive, message);

    // Read-only again whatever happened: the suite relies on nobody else writing its file.
    const QFileDevice::Permissions after = QFile::permissions(localPath);
    if (QFile file(localPath); !file.setPermissions(after & ~writeBits) && status)
        status =
            Status::failure(QStringLiteral("non si può rimettere l'attributo di sola lettura: ") + file.errorString());
    return status ? status : failure(status.errorText());
}
