#include <string>

#include <gtest/gtest.h>

#include "velkora/interface/writelog.h"
#include "velkora/platform/app/app_capi.h"
#include "support/LogCapture.h"

namespace Velkora
{
namespace
{

TEST(Log, WritelogFormatsAndAppendsUnchanged)
{
    testing::LogCapture log;
    writelog("\n{:<5d}  {:<6.4e}   {:>7.4f}", 3, 1e-5, -2.5);
    writelog("\n{:<5s}|{}", std::string("ab"), "lit");
    writelog_direct("plain {} text");
    EXPECT_EQ(log.text(), "\n3      1.0000e-05   -2.5000\nab   |litplain {} text");
}

TEST(Log, DeprecationWarningIsOneLogLine)
{
    testing::LogCapture log;
    _warn_deprecated("Thing::old()", "Use Thing::fresh() instead.");
    EXPECT_EQ(log.text(), "\nVelkora warning: Thing::old() is deprecated. Use Thing::fresh() instead.\n");
}

struct Collected
{
    std::string text;
    int calls = 0;
};

void collect(const char* text, void* userData)
{
    auto* c = static_cast<Collected*>(userData);
    c->text += text;
    c->calls++;
}

TEST(Log, CCallerCanInstallAWriter)
{
    Collected c;
    ASSERT_EQ(app_setLogWriter(collect, &c), 0);
    writelog_direct("one ");
    writelog("{}", 2);
    ASSERT_EQ(app_setLogWriter(nullptr, nullptr), 0);
    EXPECT_EQ(c.text, "one 2");
    EXPECT_EQ(c.calls, 2);

    ::testing::internal::CaptureStdout();
    writelog_direct("to stdout");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "to stdout");
    EXPECT_EQ(c.calls, 2);
}

} // namespace
} // namespace Velkora
