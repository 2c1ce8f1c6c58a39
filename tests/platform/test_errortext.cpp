#include "dw/platform/com/errortext.h"

#include <gtest/gtest.h>

#include "dw/platform/com/errorcodes.h"

using namespace dw::com;

TEST(ErrorTextTest, describesCodesAsTheDesktopDoes) {
    EXPECT_EQ(describeHResult(REGDB_E_CLASSNOTREG), "Class not registered");
    EXPECT_EQ(describeHResult(E_NOINTERFACE), "No such interface supported");
    EXPECT_EQ(describeHResult(TYPE_E_LIBNOTREGISTERED), "Library not registered.");
    EXPECT_EQ(describeHResult(static_cast<HRESULT>(0x80041234u)), "Unknown error 0x80041234");
}
