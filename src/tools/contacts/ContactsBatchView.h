#pragma once

#include "tools/contacts/ContactsExportView.h"

/// The contacts export without a window: it keeps the progress text, which nobody needs to watch.
class ContactsBatchView : public ContactsExportView {
public:
    void setProgressText(const QString& text) override { m_progressText = text; }
    void showProgress(qsizetype, qsizetype) override {}
    void setBusy(bool) override {}

    const QString& progressText() const { return m_progressText; }

private:
    QString m_progressText;
};
