// plm_fps_bench's command line.
#include "fps_options.h"
#include "fps_stats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Parse(std::vector<const char*> args, CFPSOPTIONS* o, std::string* error)
{
    args.insert(args.begin(), "plm_fps_bench");
    return ParseFpsOptions(static_cast<int>(args.size()), args.data(), o, error);
}

TEST(FpsOptions, DefaultsAndValues)
{
    CFPSOPTIONS o;
    std::string error;
    ASSERT_TRUE(Parse({}, &o, &error)) << error;
    ASSERT_EQ(o.sizes.size(), 2u);
    EXPECT_EQ(o.sizes[0].width, 1024);
    EXPECT_EQ(o.sizes[1].height, 1080);
    EXPECT_EQ(o.scene, -1);
    EXPECT_EQ(o.endMs, 24750.0);
    EXPECT_EQ(o.repeat, 1);
    EXPECT_TRUE(o.data.empty());

    CFPSOPTIONS p;
    ASSERT_TRUE(Parse({"--size", "640x480", "--size=16x16", "--scene", "face", "--end=20000", "--repeat", "3",
                       "--data", "x.dat", "--markdown", "--full-detail"},
                      &p, &error))
        << error;
    ASSERT_EQ(p.sizes.size(), 2u);
    EXPECT_EQ(p.sizes[0].width, 640);
    EXPECT_EQ(p.sizes[1].height, 16);
    EXPECT_STREQ(BENCH_SCENES[p.scene].name, "face");
    EXPECT_EQ(p.endMs, 20000.0);
    EXPECT_EQ(p.repeat, 3);
    EXPECT_EQ(p.data, "x.dat");
    EXPECT_TRUE(p.markdown);
    EXPECT_TRUE(p.fullDetail);
    EXPECT_FALSE(p.referenceDrawing);
}

TEST(FpsOptions, RefusedLinesNameTheOption)
{
    struct CASE {
        std::vector<const char*> args;
        const char* said;
    };
    const CASE cases[] = {
        {{"--size", "15x768"}, "--size"},
        {{"--size", "1024x"}, "--size"},
        {{"--size", "x768"}, "--size"},
        {{"--size", "1024x768x"}, "--size"},
        {{"--size", "+1024x768"}, "--size"},
        {{"--size", "99999x768"}, "--size"},
        {{"--scene", "pipes"}, "--scene"},
        {{"--end", "0"}, "--end"},
        {{"--end", "12abc"}, "--end"},
        {{"--end", "700000"}, "--end"},
        {{"--repeat", "0"}, "--repeat"},
        {{"--repeat", "101"}, "--repeat"},
        {{"--repeat", "2.5"}, "--repeat"},
        {{"--data", ""}, "--data"},
        {{"--size"}, "--size needs a value"},
        {{"--data", "--size", "64x64"}, "--data needs a value"},
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"stray"}, "unexpected argument 'stray'"},
        {{"--markdown=yes"}, "--markdown takes no value"},
        {{"--scene", "turntable", "--end", "14000"}, "starts after --end"},
        {{"--full-detail", "--reference-drawing"}, "exclude each other"},
    };
    for (const CASE& c : cases) {
        CFPSOPTIONS o;
        std::string error;
        EXPECT_FALSE(Parse(c.args, &o, &error)) << c.args[0];
        EXPECT_NE(error.find(c.said), std::string::npos) << c.args[0] << ": " << error;
    }
}

TEST(FpsOptions, HelpAndVersionAreFlags)
{
    CFPSOPTIONS o;
    std::string error;
    ASSERT_TRUE(Parse({"-h"}, &o, &error));
    EXPECT_TRUE(o.help);
    CFPSOPTIONS v;
    ASSERT_TRUE(Parse({"--version"}, &v, &error));
    EXPECT_TRUE(v.version);
    EXPECT_NE(std::string(FpsUsage()).find("--scene NAME"), std::string::npos);
}

}  // namespace
