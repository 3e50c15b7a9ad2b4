#pragma once

#include <QString>

/// Whether a case's memo action code asks for a Diagnosis Sheet: the code in upper case is one of
/// EESE, EENP, FLXX, EEPP, INFO, EECN (blanks are not trimmed: "EESE " asks for none).
bool NecessarioDS(const QString& azione);
