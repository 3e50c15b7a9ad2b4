#pragma once

#include <QString>
#include <QStringList>

/// What the batch journal shows: the controls of Frm_Giornale, or what a batch run keeps of them.
class JournalView {
public:
    virtual ~JournalView() = default;

    /// The query actually run (lblsql); the operator may edit it between two loads.
    virtual QString queryText() const = 0;
    virtual void setQueryText(const QString& text) = 0;
    /// The window caption.
    virtual void setCaption(const QString& text) = 0;
    /// The list (List1), replaced whole: the header line, then one line per lot.
    virtual void setLines(const QStringList& lines) = 0;
    /// "Elabora" (Command1).
    virtual void setLoadEnabled(bool enabled) = 0;
    /// "Stampa" (Command2), hidden while the journal prints.
    virtual void setPrintVisible(bool visible) = 0;
    /// "Prossimo Progressivo" (Text1).
    virtual QString nextProgressiveText() const = 0;
    virtual void setNextProgressiveText(const QString& text) = 0;
    /// The journal's message (Text2).
    virtual QString messageText() const = 0;
    virtual void setMessageText(const QString& text) = 0;
    /// The hourglass.
    virtual void setBusy(bool busy) = 0;
    /// The journal has been written to this file: a window session opens it in the system's viewer.
    virtual void showReport(const QString& path) = 0;
};
