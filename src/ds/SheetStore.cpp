#include "ds/SheetStore.h"

#include "ds/SheetFields.h"
#include "foundation/DateText.h"
#include "foundation/DriveMapping.h"
#include "foundation/SuitePaths.h"
#include "foundation/Windows1252.h"

#include <QFile>
#include <QFileInfo>

namespace {

// A sheet is 16 short lines; a file beyond this is none, and is refused rather than read into memory.
constexpr ReadBound wholeSheet{1024 * 1024};

} // namespace

QString SheetStore::sheetPath(qint32 k)
{
    return DriveMapping::toLocalPath(SuitePaths::sheetFolder() + QString::number(k) + QStringLiteral(".txt"));
}

QByteArray SheetStore::fileBytes(const DiagnosisSheet& sheet)
{
    return Windows1252::encode(sheet.fileText());
}

Result<std::optional<DiagnosisSheet>> SheetStore::sheetOf(qint32 k) const
{
    const QString path = sheetPath(k);
    if (!QFileInfo(path).isFile())
        return std::optional<DiagnosisSheet>();
    const Result<QString> text = Windows1252::readFile(path, wholeSheet);
    if (!text)
        return text.status();
    return std::optional<DiagnosisSheet>(DiagnosisSheet::fromFileText(*text));
}

bool SheetStore::CeDiagnosiSheet(qint32 k) const
{
    return QFileInfo(sheetPath(k)).isFile();
}

Status SheetStore::CaricaDS(qint32 k)
{
    m_campi.clear();
    Result<std::optional<DiagnosisSheet>> sheet = sheetOf(k);
    if (!sheet)
        return sheet.status();
    if (*sheet)
        m_campi.load(std::move(*sheet.value()));
    return Status::success();
}

namespace {

// A sheet holds one field a line: a line end pasted into a box would cut the value and start a line of its own.
QString onOneLine(QString value)
{
    return value.replace(QLatin1String("\r\n"), QLatin1String(" "))
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

} // namespace

Status SheetStore::SalvaDS(qint32 k, const QStringList& editorValues, const QDateTime& now, bool soloTest)
{
    m_campi.clear();
    const QStringList fields = SheetFields::editable();
    for (qsizetype i = 0; i < fields.size(); ++i)
        m_campi.ScriviDS(fields.at(i), onOneLine(editorValues.value(i)));
    m_campi.ScriviDS(SheetFields::DataInserimento, generalDateText(now));
    if (soloTest)
        return Status::success();

    const QString path = sheetPath(k);
    // A sheet without a reason for non-payment is never kept on disk, whatever else it holds.
    if (m_campi.value(1).isEmpty()) {
        QFile file(path);
        if (file.exists() && !file.remove())
            return Status::failure(
                QStringLiteral("Impossibile cancellare la Diagnosis Sheet %1: %2").arg(path, file.errorString()));
        return Status::success();
    }
    const Status written = Windows1252::writeFileAtomically(path, m_campi.sheet().fileText());
    if (!written)
        return Status::failure(
            QStringLiteral("Diagnosis Sheet della pratica %1 non salvata. %2").arg(k).arg(written.errorText()));
    return Status::success();
}
