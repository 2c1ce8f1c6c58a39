#include "design/designlog.h"

#include <gtest/gtest.h>

using namespace dw::design;

TEST(DesignLogTest, linesAreTimeStampedAndEndInCrLfInCallOrder) {
    LocalTime now{2024, 3, 5, 7, 8, 9};
    DesignLog log([&] { return now; });
    log.addlogline("Load .INI /designs/clock.ini");
    now.second = 10;
    log.addlogline("0 errors, 0 warnings");
    EXPECT_EQ(log.text(), "2024-03-05 07:08:09: Load .INI /designs/clock.ini\r\n"
                          "2024-03-05 07:08:10: 0 errors, 0 warnings\r\n");
}

TEST(DesignLogTest, clearThenAddLeavesExactlyOneLineAndReportsEachChange) {
    DesignLog log([] { return LocalTime{1999, 12, 31, 23, 59, 59}; });
    int changes = 0;
    log.setOnChange([&] { ++changes; });
    log.addlogline("a");
    log.clearlogline();
    log.addlogline("b");
    EXPECT_EQ(log.text(), "1999-12-31 23:59:59: b\r\n");
    EXPECT_EQ(changes, 3);
}
