#include "launcher/StatusFile.h"

#include "foundation/DriveMapping.h"
#include "foundation/ShownText.h"
#include "foundation/Windows1252.h"
#include "foundation/db/DbValue.h"

namespace StatusFile {

namespace {

// Three lines of a counter, a filter and a text; the rest of the file, whatever it holds, is never read.
constexpr ReadBound firstThreeLines{64 * 1024, 3};

} // namespace

Result<ToolParams> read(const QString& suitePath)
{
    const Result<QString> text = Windows1252::readFile(DriveMapping::toLocalPath(suitePath), firstThreeLines);
    if (!text)
        return Status::failure(QStringLiteral("File di stato %1: %2").arg(suitePath, text.errorText()));
    return parse(*text, suitePath);
}

Result<ToolParams> parse(const QString& text, const QString& fileNameForMessages)
{
    ToolParams params;
    const QStringList lines = Windows1252::splitLines(text);
    for (qsizetype number = 1; number <= 3 && number <= lines.size(); ++number) {
        const QString& line = lines.at(number - 1);
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString value = line.mid(equals + 1);
        if (number == 1) {
            const Result<qint32> counter = db::wholeNumberOf(value, QString());
            if (!counter)
                return Status::failure(
                    QStringLiteral("Il file di stato %1 non ha un numero di pratica nella prima riga "
                                   "(\"%2\").")
                        .arg(fileNameForMessages, shownText(value)));
            params.ParContatore = *counter;
        } else if (number == 2) {
            params.ParFiltro = value;
        } else {
            params.ParTesto = value;
        }
    }
    return params;
}

} // namespace StatusFile
