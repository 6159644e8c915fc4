// The main of every test program: GoogleTest's own, except for how a skipped test ends the program.
// GoogleTest exits 0 when a test skipped itself (no browser, no font), so CTest would count the program
// as passed although part of it never ran. Here such a program exits kSkippedExitCode instead, which
// CTest reports as skipped (SKIP_RETURN_CODE); a failure still exits 1 and is a failure.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

constexpr int kSkippedExitCode = 77;

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    if (RUN_ALL_TESTS() != 0)
        return 1;
    return testing::UnitTest::GetInstance()->skipped_test_count() > 0 ? kSkippedExitCode : 0;
}
