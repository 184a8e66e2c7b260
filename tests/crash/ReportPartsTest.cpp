#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <string>

#include "app/crash/ExceptionNames.h"
#include "app/crash/ProcStatus.h"
#include "app/crash/ProcessMaps.h"
#include "app/crash/SafeText.h"
#include "crash/CrashChild.h"
#include "support/TempFolder.h"

namespace {

// The text a CSafeText wrote into a file.
template <typename Write>
std::string Written(Write write) {
    CTempFolder folder("kestrel-safe-text");
    const std::string path = folder.File("out.txt");
    FILE* file = std::fopen(path.c_str(), "wb");
    {
        CSafeText text(fileno(file));
        write(text);
    }
    std::fclose(file);
    return ReadWholeFile(path);
}

TEST(SafeText, DatesAgreeWithTheCLibraryAcrossLeapYearsAndEras) {
    for (int64_t seconds : {int64_t{0}, int64_t{951782400} /* 2000-02-29 */,
                            int64_t{4107542399} /* 2100-02-28 23:59:59 */,
                            int64_t{1782604800} /* 2026-06-28 */, int64_t{-86400}}) {
        const time_t t = static_cast<time_t>(seconds);
        tm utc{};
        gmtime_r(&t, &utc);
        char expected[64];
        std::snprintf(expected, sizeof expected, "%d/%d/%d %02d:%02d:%02d", utc.tm_mon + 1,
                      utc.tm_mday, utc.tm_year + 1900, utc.tm_hour, utc.tm_min, utc.tm_sec);
        EXPECT_EQ(Written([&](CSafeText& text) { text.DateTime(seconds); }), expected) << seconds;
    }
}

TEST(SafeText, NumbersInTheReportForms) {
    EXPECT_EQ(Written([](CSafeText& t) { t.Hex(0xC0000005u, 8).Char('|').Hex(0x33, 4); }),
              "c0000005|0033");
    EXPECT_EQ(Written([](CSafeText& t) { t.Hex0x(0x7fffdeadbeefULL, 16); }), "0x00007fffdeadbeef");
    EXPECT_EQ(Written([](CSafeText& t) { t.DecLeft(2190440, 10).Char('|'); }), "2190440   |");
    EXPECT_EQ(Written([](CSafeText& t) { t.Dec(7, 2).Char(' ').SignedDec(-12); }), "07 -12");
    // More than the buffer holds reaches the file whole.
    const std::string many(3 * CSafeText::kCapacity + 5, 'x');
    EXPECT_EQ(Written([&](CSafeText& t) { t.Str(many.c_str()); }), many);
}

TEST(ProcessMaps, LinesWithBlanksInThePathAndAnonymousOnes) {
    static CProcessMaps maps;  // large: not on the stack
    ASSERT_TRUE(
        maps.AddLine("7f12a000-7f12c000 r-xp 00001000 08:01 1234   /opt/KESTREL Plus/lib.so",
                     std::string("7f12a000-7f12c000 r-xp 00001000 08:01 1234   /opt/KESTREL "
                                 "Plus/lib.so")
                         .size()));
    const std::string anonymous = "7ffc0000-7ffd0000 rw-p 00000000 00:00 0 ";
    ASSERT_TRUE(maps.AddLine(anonymous.c_str(), anonymous.size()));
    const std::string broken = "7ffc0000 rw-p";
    EXPECT_FALSE(maps.AddLine(broken.c_str(), broken.size()));
    ASSERT_EQ(maps.Count(), 2u);
    const CProcessMaps::Region& library = maps.At(0);
    EXPECT_EQ(library.start, 0x7f12a000u);
    EXPECT_EQ(library.end, 0x7f12c000u);
    EXPECT_EQ(library.offset, 0x1000u);
    EXPECT_EQ(library.inode, 1234u);
    EXPECT_TRUE(library.readable && library.executable && !library.writable);
    EXPECT_STREQ(library.path, "/opt/KESTREL Plus/lib.so");
    EXPECT_STREQ(maps.At(1).path, "");
    EXPECT_EQ(maps.Find(0x7f12bfff), &maps.At(0));
    EXPECT_EQ(maps.Find(0x7f12c000), nullptr);
}

TEST(ProcessMaps, TheLiveMapHoldsThisStack) {
    static CProcessMaps maps;
    ASSERT_TRUE(maps.Read());
    int local = 0;
    const CProcessMaps::Region* stack = maps.Find(reinterpret_cast<uint64_t>(&local));
    ASSERT_NE(stack, nullptr);
    EXPECT_TRUE(stack->readable && stack->writable);
}

TEST(ProcStatus, FindsANamedNumber) {
    const char* status = "Name:\tkestrel\nTracerPid:\t4242\nVmSize:\t  123456 kB\n";
    EXPECT_EQ(CProcStatus::FieldIn(status, "TracerPid", -1), 4242);
    EXPECT_EQ(CProcStatus::FieldIn(status, "VmSize", -1), 123456);
    EXPECT_EQ(CProcStatus::FieldIn(status, "Tracer", -1), -1);  // a prefix is not the field
    EXPECT_EQ(CProcStatus::FieldIn(status, "Name", -1), -1);    // not a number
}

TEST(ExceptionNames, SignalsAndCodesGiveTheNamesOfTheTable) {
    EXPECT_STREQ(CExceptionNames::Name(CExceptionNames::CodeForSignal(SIGSEGV, SEGV_MAPERR, false)),
                 "an Access Violation");
    EXPECT_STREQ(CExceptionNames::Name(CExceptionNames::CodeForSignal(SIGSEGV, SEGV_MAPERR, true)),
                 "a Stack Overflow");
    EXPECT_STREQ(CExceptionNames::Name(CExceptionNames::CodeForSignal(SIGFPE, FPE_FLTDIV, false)),
                 "a Float Divide by Zero");
    EXPECT_STREQ(CExceptionNames::Name(CExceptionNames::CodeForSignal(SIGBUS, BUS_ADRALN, false)),
                 "a Datatype Misalignment");
    EXPECT_STREQ(CExceptionNames::Name(CExceptionNames::CodeForSignal(SIGILL, ILL_PRVOPC, false)),
                 "a Privileged Instruction");
    EXPECT_STREQ(CExceptionNames::Name(CExceptionNames::kCppException),
                 "a Microsoft C++ Exception");
    EXPECT_STREQ(CExceptionNames::Name(CExceptionNames::CodeForSignal(SIGUSR1, 0, false)),
                 "an Unknown exception type");
}

}  // namespace
