#pragma once

#include "tools/journal/BatchJournal.h"
#include "tools/journal/JournalView.h"
#include "windows/BusyCursor.h"

#include <QWidget>

#include <functional>
#include <memory>

class Clock;
class Dialogs;
class JournalListDelegate;
class ModuloCommand;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct Dispatch;

/// The batch journal window "Giornale x Lotti": the query box, the list of lots in a fixed-pitch font, the next
/// progressive and the message, and the commands "Elabora" and "Stampa".
class Frm_Giornale : public QWidget, public JournalView {
    Q_OBJECT
public:
    Frm_Giornale(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, QWidget* parent = nullptr);
    ~Frm_Giornale() override;

    /// Creates the window for a dispatch, shows it and runs its load sequence with the dispatch's query.
    static std::unique_ptr<Frm_Giornale> open(ModuloCommand& module, Dialogs& dialogs, const Clock& clock,
                                              const Dispatch& dispatch);

    /// The load sequence with the suite's query (SqlLotti); returns whether lots were loaded.
    bool Form_Load(const QString& sqlLotti, const QString& sourceFile = QString());
    BatchJournal& journal() { return m_journal; }
    /// What opens a written journal; by default the system's viewer.
    void setReportOpener(std::function<void(const QString&)> opener) { m_openReport = std::move(opener); }

    QString queryText() const override;
    void setQueryText(const QString& text) override;
    void setCaption(const QString& text) override;
    void setLines(const QStringList& lines) override;
    void setLoadEnabled(bool enabled) override;
    void setPrintVisible(bool visible) override;
    QString nextProgressiveText() const override;
    void setNextProgressiveText(const QString& text) override;
    QString messageText() const override;
    void setMessageText(const QString& text) override;
    void setBusy(bool busy) override;
    void showReport(const QString& path) override;

public Q_SLOTS:
    /// "Elabora": loads the lots of the query box again.
    void Command1_Click();
    /// "Stampa": prints the journal.
    void Command2_Click();

private:
    Dialogs& m_dialogs;
    BatchJournal m_journal;
    std::function<void(const QString&)> m_openReport;
    BusyCursor m_busy;

    QLineEdit* m_lblsql = nullptr;
    QListWidget* m_List1 = nullptr;
    JournalListDelegate* m_columns = nullptr;
    QPushButton* m_Command1 = nullptr;
    QPushButton* m_Command2 = nullptr;
    QLabel* m_Label3 = nullptr;
    QLineEdit* m_Text1 = nullptr;
    QLineEdit* m_Text2 = nullptr;
    QLabel* m_lblMessaggio = nullptr; ///< labels the journal's message (m_Text2)
};
