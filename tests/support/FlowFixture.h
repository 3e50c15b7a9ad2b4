#pragma once

#include "ds/SheetStore.h"
#include "foundation/Status.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

#include <QByteArray>
#include <QStringList>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

/// A suite of the test's own for the flow: cases, payments, bank rows and sheets made with SQL and files, the date
/// fixed on 14 June 2011, the contact counters drawn from a fixed sequence (0, 1, 1, -, 2 for every case) and
/// IDNrvXML.ini holding LastID=00042.
class FlowFixture : public ::testing::Test {
protected:
    /// What writing a flow gave.
    struct Flow {
        Status status = Status::success();
        QByteArray bytes;
        bool missingSheet = false;
    };

    FlowFixture();

    /// Adds a case; `fields` (column to value, an invalid QVariant for NULL) override sensible defaults.
    void addCase(int contatore, const QVariantMap& fields = {});
    /// Adds a payment of case `conta`: by default cash, 150.00 with capital 120.00, on 10/06/2011, no receipt.
    void addPayment(int id, int conta, const QVariantMap& fields = {});
    /// A bill of exchange due on `due`, of 100.00 with capital 90.00, with `fields` over these.
    static QVariantMap bill(const QDate& due, const QVariantMap& fields = {});
    /// Adds a bank row for payment `idIncasso`.
    void addBankRow(int idIncasso, const QVariantMap& fields = {});
    /// Empties the suite, then adds case 1 with `fields`, its payments with IDs from 1 and a bank row of payment 1.
    void oneCase(const QList<QVariantMap>& payments, const QVariantMap& fields = {}, const QVariantMap& bank = {});
    /// Empties the cases, the payments and the bank rows.
    void clearCases();

    /// Opens the case recordset as the main window does.
    void openCases();
    /// Writes the flow of every case to memory; a flow written whole is checked against the schema.
    Flow writeFlow(bool modoAccess = false);
    /// Why the flow of the suite's cases stops, "<no failure>" when it is written.
    QString failure(bool modoAccess = false);
    /// The lines of a flow that start with `start` once their indentation is taken away, without it.
    static QStringList lines(const QByteArray& bytes, const QString& start);
    /// The element names of the payments, each start tag from a <Valori> to its </Valori>.
    static QStringList valoriElements(const QByteArray& bytes);
    /// The values of every attribute `name` of a flow, in the flow's order.
    static QStringList attributes(const QByteArray& bytes, const QString& name);

    /// "Esporta" over every case, with the dialogs' scripted answers; a flow written is checked against the schema.
    Result<QString> exportFlow();
    /// A file on the desktop, and the flow file that answers 0008, 06 and the proposed 00043 give on the day.
    QString desktopFile(const QString& name) { return suite.home().desktop() + QLatin1Char('/') + name; }
    QString flowPath() { return desktopFile(QStringLiteral("0008_06_00043_2011-06-14.XML")); }
    QString lastIdPath() const;
    QByteArray lastId() const { return fileBytes(lastIdPath()); }
    /// What the operator and the disk got: the messages shown ("|" between them), the desktop's files ("|" between
    /// them) and the last progressive saved (the whole of IDNrvXML.ini when it is not the one line the export writes).
    QStringList outcome();
    /// Puts the flow this morning's export left under the name this one takes; gives the desktop's files then.
    QStringList placeEarlierFlow();
    /// The desktop's files (name, size, hash) as `before` and the last progressive as `lastIdBefore`.
    void expectNothingWritten(const QStringList& before, const QByteArray& lastIdBefore = LastId42);

    inline static const QByteArray LastId42 = "[Norvanta]\r\nLastID=00042\r\n";

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 14), QTime(9, 30, 5))};
    SequenceRandom random{{0.1, 0.3, 0.6, 0.9, 0.8}};
    SheetStore sheets;
    ScriptedDialogs dialogs;
    db::Connection connection;
    db::Recordset pratiche;
    /// What the export told after each case ("done/total"), how often it pumped events, and a hook after each case.
    QStringList progress;
    int pumped = 0;
    std::function<void(qsizetype done)> afterCase;
};
