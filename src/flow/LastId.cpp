#include "flow/LastId.h"

#include "foundation/DriveMapping.h"
#include "foundation/IniFile.h"
#include "foundation/SuitePaths.h"
#include "foundation/Windows1252.h"

#include <cmath>
#include <limits>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

std::optional<qint32> leadingWholeNumber(const QString& text)
{
    // The suite's programs have always read numbers out of text this way: blanks are skipped wherever they stand
    // ("4 2" is 42) and a point marks the decimals, whatever the regional settings.
    QString kept;
    for (const QChar c : text) {
        if (!isBlank(c))
            kept.append(c);
    }
    QByteArray number;
    qsizetype at = 0;
    if (at < kept.size() && (kept.at(at) == QLatin1Char('-') || kept.at(at) == QLatin1Char('+')))
        number.append(char(kept.at(at++).unicode()));
    bool digits = false;
    while (at < kept.size() && isDigit(kept.at(at))) {
        number.append(char(kept.at(at++).unicode()));
        digits = true;
    }
    if (at < kept.size() && kept.at(at) == QLatin1Char('.')) {
        number.append('.');
        ++at;
        while (at < kept.size() && isDigit(kept.at(at))) {
            number.append(char(kept.at(at++).unicode()));
            digits = true;
        }
    }
    if (!digits)
        return 0;
    if (at < kept.size() && QStringLiteral("EeDd").contains(kept.at(at))) {
        QByteArray exponent("e");
        qsizetype next = at + 1;
        if (next < kept.size() && (kept.at(next) == QLatin1Char('-') || kept.at(next) == QLatin1Char('+')))
            exponent.append(char(kept.at(next++).unicode()));
        bool exponentDigits = false;
        while (next < kept.size() && isDigit(kept.at(next))) {
            exponent.append(char(kept.at(next++).unicode()));
            exponentDigits = true;
        }
        if (exponentDigits)
            number.append(exponent);
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding sends halves to the even number
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(rounded);
}

Result<qint32> LeggiLastID()
{
    // The file is written with [Norvanta]; the profile functions find it as "norvanta" too.
    // A file that cannot be read is told, not taken for a missing one: that would propose 1 again.
    const Result<QString> read =
        readIniValue(SuitePaths::idNrvXmlIni(), QStringLiteral("norvanta"), QStringLiteral("LastID"));
    if (!read)
        return Status::failure(read.errorText() + QStringLiteral(": non si propone alcun progressivo."));
    const QString& value = *read;
    if (const std::optional<qint32> number = leadingWholeNumber(value))
        return *number;
    // Proposing 1 would send the creditor a flow number it has had already.
    return Status::failure(QStringLiteral("Il file %1 contiene LastID=%2, un numero fuori dall'intervallo dei "
                                          "progressivi (da %3 a %4): non si propone alcun progressivo.")
                               .arg(SuitePaths::idNrvXmlIni(), value,
                                    QString::number(std::numeric_limits<qint32>::min()),
                                    QString::number(std::numeric_limits<qint32>::max())));
}

Status SalvaLastID(const QString& progressivo)
{
    // The whole file is rewritten: the suite keeps nothing else in it.
    const QString text = QStringLiteral("[Norvanta]\r\nLastID=") + progressivo + QStringLiteral("\r\n");
    return Windows1252::writeFileAtomically(DriveMapping::toLocalPath(SuitePaths::idNrvXmlIni()), text);
}
