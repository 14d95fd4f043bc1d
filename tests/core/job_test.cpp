#include <gtest/gtest.h>

#include <cerrno>
#include <new>
#include <stdexcept>
#include <system_error>

#include "core/errors.h"
#include "core/job.h"

namespace kombitron {
namespace {

struct CountResult : JobOutcome {
    int count = 0;
};

TEST(Job, ExceptionsBecomeFailuresInTheProgramsWords)
{
    const CountResult done = guardJob<CountResult>([](CountResult& r) { r.count = 3; });
    EXPECT_TRUE(done.done());
    EXPECT_EQ(done.count, 3);

    const CountResult memory = guardJob<CountResult>([](CountResult&) { throw std::bad_alloc(); });
    EXPECT_TRUE(memory.failed());
    EXPECT_EQ(memory.failure, "memoria insuficiente");

    const CountResult system = guardJob<CountResult>(
        [](CountResult&) { throw std::system_error(ENOENT, std::generic_category(), "open"); });
    EXPECT_EQ(system.failure, describeSystemError(ENOENT)) << "no English library text";

    const CountResult other = guardJob<CountResult>([](CountResult&) { throw 42; });
    EXPECT_EQ(other.failure, "error inesperado");
}

TEST(Job, ATokenReadsItsFlagAndADefaultTokenNeverStops)
{
    StopFlag flag;
    const StopToken token(flag);
    EXPECT_FALSE(token.stopRequested());
    flag.request();
    EXPECT_TRUE(token.stopRequested());
    EXPECT_FALSE(StopToken().stopRequested());
}

} // namespace
} // namespace kombitron
