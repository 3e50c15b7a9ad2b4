#pragma once

class Dialogs;

/// Start-up check of the Diagnosis Sheet folder on the suite's drive: a file is created in it to
/// prove it is there; when it is not, the folder is created (one level, as on the server share, so a
/// missing drive is reported rather than made up).
/// Returns false when the folder cannot be created: the program must end (the operator was told why).
bool checkSheetFolder(Dialogs& dialogs);
