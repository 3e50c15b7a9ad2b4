#include "server/ServerEnvironment.h"

PostgresServer* ServerEnvironment::s_server = nullptr;
Status ServerEnvironment::s_started = Status::failure(QStringLiteral("the test run's environment was not set up"));

namespace {

// Registered before main runs, so that every run of the executable has its server.
[[maybe_unused]] ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

} // namespace

void ServerEnvironment::SetUp()
{
    s_server = new PostgresServer;
    s_started = s_server->start();
}

void ServerEnvironment::TearDown()
{
    if (s_server && s_server->running()) {
        const Status stopped = s_server->stop();
        EXPECT_TRUE(stopped) << stopped.errorText().toStdString();
    }
    delete s_server;
    s_server = nullptr;
}

PostgresServer* ServerEnvironment::requireServer()
{
    if (!s_started || !s_server || !s_server->running()) {
        ADD_FAILURE() << "PostgreSQL could not be started for the server tests: "
                      << (s_started ? std::string("it stopped") : s_started.errorText().toStdString());
        return nullptr;
    }
    return s_server;
}
