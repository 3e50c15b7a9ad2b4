#pragma once

#include "foundation/Status.h"
#include "tools/journal/JournalReport.h"

class QIODevice;

/// The printed batch journal: an A4 PDF of a journal report. Drawing needs a graphical application
/// (QGuiApplication); the window session and the batch run have one.
class JournalPdf {
public:
    explicit JournalPdf(const JournalReport& report);

    /// The printer the journal is given: writes the report's PDF to a file.
    static Status print(const JournalReport& report, const QString& path) { return JournalPdf(report).writeFile(path); }

    /// Writes the PDF; the failure says why.
    Status write(QIODevice* device) const;
    /// Writes the PDF to a file, all at once or not at all; the failure names the file and the cause.
    Status writeFile(const QString& path) const;

private:
    const JournalReport& m_report;
};
