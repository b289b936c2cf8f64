// plumora-capture's --aa option: the counts it takes, and the check of a
// count against what the OpenGL implementation offers.
#include "capture_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, CCAPTUREOPTIONS* o, std::string* error)
{
    args.insert(args.begin(), {"plumora-capture", "--data", "d", "--out", "o", "--at", "0"});
    return ParseCaptureOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(SamplesOption, TakesOneTwoFourOrEightAndDefaultsToOne)
{
    CCAPTUREOPTIONS o;
    std::string error;
    ASSERT_TRUE(Parse({}, &o, &error)) << error;
    EXPECT_EQ(o.samples, 1);
    for (int n : {1, 2, 4, 8}) {
        CCAPTUREOPTIONS given;
        std::string value = std::to_string(n);
        ASSERT_TRUE(Parse({"--aa", value.c_str()}, &given, &error)) << error;
        EXPECT_EQ(given.samples, n);
    }
    CCAPTUREOPTIONS equals;
    ASSERT_TRUE(Parse({"--aa=2"}, &equals, &error)) << error;
    EXPECT_EQ(equals.samples, 2);
}

TEST(SamplesOption, OtherCountsAreRefusedNamingTheChoices)
{
    for (const char* value : {"0", "3", "16", "-4", "04", "4.0", "4x", ""}) {
        CCAPTUREOPTIONS o;
        std::string error;
        EXPECT_FALSE(Parse({"--aa", value}, &o, &error)) << value;
        EXPECT_NE(error.find("1, 2, 4 or 8"), std::string::npos) << value << " -> " << error;
    }
    CCAPTUREOPTIONS o;
    std::string error;
    EXPECT_FALSE(Parse({"--aa"}, &o, &error));
    EXPECT_NE(error.find("--aa needs a value"), std::string::npos) << error;
}

TEST(SamplesOption, CountsBeyondTheImplementationAreRefusedWithItsLimit)
{
    std::string error;
    EXPECT_TRUE(CheckSamples(1, 1, &error));  // one sample needs nothing special
    EXPECT_TRUE(CheckSamples(4, 4, &error));
    EXPECT_TRUE(CheckSamples(2, 16, &error));
    EXPECT_TRUE(error.empty()) << error;

    EXPECT_FALSE(CheckSamples(8, 4, &error));
    EXPECT_EQ(error, "--aa 8: this OpenGL implementation offers at most 4 samples per pixel");
    EXPECT_FALSE(CheckSamples(2, 1, &error));
    EXPECT_EQ(error, "--aa 2: this OpenGL implementation offers no multisampled rendering");
    EXPECT_FALSE(CheckSamples(2, 0, &error));  // a driver reporting nothing counts as none
    EXPECT_NE(error.find("no multisampled"), std::string::npos) << error;
}

}  // namespace
