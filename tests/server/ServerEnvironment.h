#pragma once

#include "server/PostgresServer.h"

#include <gtest/gtest.h>

/// The PostgreSQL server of the test run: started once before the first test and stopped after the last, also when
/// tests fail. A test that needs it calls requireServer(), which fails the test with the reason when the server did
/// not start: a run without PostgreSQL is a failed run, never a quietly shorter one.
class ServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    /// The running server, or nullptr after recording a failure that says why there is none.
    static PostgresServer* requireServer();

private:
    static PostgresServer* s_server;
    static Status s_started;
};
