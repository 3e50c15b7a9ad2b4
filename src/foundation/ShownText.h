#pragma once

#include <QString>

/// A value from the database or from a file as a message shows it: control characters written as visible escapes
/// (TAB "\t", CR "\r", LF "\n", any other as "\x1B" or "\x85"), so that a value can neither break a message's
/// lines, nor hide part of itself, nor send a terminal its escape sequences. Unicode's line separators and
/// direction overrides, which would break or reorder the text around them, are shown as "\u2028" and the like.
/// Everything else stays as it is; a value without such characters comes back shared.
QString shownText(const QString& value);
