// TestMain.cpp - the main of every test program. Its output is unbuffered,
// so that what a test printed before its process was ended (by a crash, by
// force or by a time-out) is still there to read; an exception that nothing
// handles is named, with the test that was running, and ends the process at
// once with the exception's code as its exit status. The platform's debugger
// is not asked: under the emulator it ends the process with a status of its
// choosing (0 in some runs), which would make a crash look like a pass.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string RunningTest() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    if (!test) return "no test";
    return std::string(test->test_suite_name()) + "." + test->name();
}

LONG WINAPI ReportUnhandledException(EXCEPTION_POINTERS* exception) {
    const EXCEPTION_RECORD* record = exception->ExceptionRecord;
    std::fprintf(stderr, "unhandled exception 0x%08lX at %p in %s\n", record->ExceptionCode,
                 record->ExceptionAddress, RunningTest().c_str());
    TerminateProcess(GetCurrentProcess(), record->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    SetUnhandledExceptionFilter(ReportUnhandledException);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
