#include "ProgressLine.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quenta::script {
namespace {

TEST(ProgressLine, SaysNothingOffATerminal) {
    std::ostringstream out;
    ProgressLine progress(out, false, 10);
    progress.Update(3);
    progress.Update(10);
    progress.Finish();
    EXPECT_EQ(out.str(), "");
}

TEST(ProgressLine, RedrawsOneLineInPlaceAndTakesItAway) {
    std::ostringstream out;
    ProgressLine progress(out, true, 10);
    progress.Update(0);
    progress.Update(10);  // the last count is always shown
    progress.Finish();
    const std::string shown = out.str();
    EXPECT_EQ(shown.find('\n'), std::string::npos) << shown;
    EXPECT_NE(shown.find("\r\033[K0/10 messages"), std::string::npos) << shown;
    EXPECT_NE(shown.find("10/10 messages"), std::string::npos) << shown;
    EXPECT_NE(shown.find("/s  0:00 left"), std::string::npos) << shown;
    EXPECT_EQ(shown.substr(shown.size() - 4), "\r\033[K");
}

}  // namespace
}  // namespace quenta::script
