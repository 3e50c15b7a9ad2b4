#pragma once

#include "demo/DemoSuite.h"

namespace demo {

/// Counts the cases, payments, bank rows and sheets of a demo into its summary while it hands them on.
class CountingSink : public DemoRowSink {
public:
    CountingSink(DemoRowSink& next, DemoSummary& summary) : m_next(next), m_summary(summary) {}

    Status addRow(const db::TableDescription& table, const QVariantList& values) override;
    Status addSheet(int contatore, const DiagnosisSheet& sheet) override;

private:
    DemoRowSink& m_next;
    DemoSummary& m_summary;
};

} // namespace demo
