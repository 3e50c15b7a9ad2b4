#pragma once

#include "ds/SheetStore.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include "support/SuiteFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

/// The main window on a suite of the test's own, its clock fixed on 10 June 2011 and its draws from `random`.
class MainWindowFixture : public ::testing::Test {
protected:
    explicit MainWindowFixture(QList<double> draws) : random(std::move(draws)) {}

    template <typename T> T* child(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void click(const char* name) { click(child<QAbstractButton>(name)); }
    /// Opens the window on the suite's line, as the suite starts the program.
    void open()
    {
        ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    /// The value of a field of a saved sheet.
    static QString saved(qint32 contatore, const QString& field)
    {
        SheetStore store;
        EXPECT_TRUE(store.CaricaDS(contatore));
        return store.LeggiDS(field);
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    SequenceRandom random;
    ScriptedDialogs dialogs;
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    FRM_EXP_NRV_XML window{module, dialogs, clock, random};
};
