#pragma once

#include <memory>

class Clock;
class Dialogs;
class ModuloCommand;
class QWidget;
struct Dispatch;

/// Opens the window of a dispatch to one of the three tools (Frm_EXP_AGGCMP, Frm_Giornale, FrmAltriAffidiCF),
/// shown and started as the dispatch says; nullptr for any other window. The caller keeps the window, and the
/// module, dialogs and clock, until the event loop has ended.
std::unique_ptr<QWidget> openToolWindow(const Dispatch& dispatch, ModuloCommand& module, Dialogs& dialogs,
                                        const Clock& clock);
