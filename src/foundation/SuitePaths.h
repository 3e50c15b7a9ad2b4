#pragma once

#include <QString>

/// The fixed places of the suite that the program uses, written the suite's way (see DriveMapping).
namespace SuitePaths {

inline QString kv32Ini()
{
    return QStringLiteral("Z:\\work\\kv32\\dati\\kv32.ini");
}
inline QString idNrvXmlIni()
{
    return QStringLiteral("Z:\\work\\kv32\\dati\\IDNrvXML.ini");
}
/// Held by the export from reading the last flow number to saving the new one; beside the number's file.
inline QString idNrvXmlLock()
{
    return QStringLiteral("Z:\\work\\kv32\\dati\\IDNrvXML.lock");
}
/// The Diagnosis Sheet folder, with its closing backslash.
inline QString sheetFolder()
{
    return QStringLiteral("Z:\\work\\kv32\\dati\\ds\\");
}
inline QString defaultAccessConnection()
{
    return QStringLiteral(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Z:\\work\\kv32\\dati\\kv.mdb;Persist Security Info=False");
}
inline QString journalReport()
{
    return QStringLiteral("Z:\\work\\kv32\\report\\sql\\GiornaleXLotti.rpt");
}

} // namespace SuitePaths
