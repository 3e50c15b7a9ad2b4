#pragma once

#include "foundation/Status.h"

#include <QString>

/// The journal's two keys in the suite's kv32.ini, section "Datiserver": the last progressive printed and the
/// journal's message. The file is the suite's: it is kept read-only, and only these two keys are ever written.
class JournalSettings {
public:
    /// The next progressive as the window proposes it: the numeric value of LastProgGiornalexLotto plus 1.
    static QString nextProgressive(const QString& iniFile);
    /// The message of the last journal (LastMsgGiornalexLotto), empty when missing.
    static QString lastMessage(const QString& iniFile);

    /// Writes both keys at once, or neither: the read-only attribute is cleared for the write and set again
    /// afterwards whatever happened. A missing file is not created. The failure names the file and the cause.
    static Status save(const QString& iniFile, const QString& lastProgressive, const QString& message);
};
