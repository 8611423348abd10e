// The bounded whole-file reader every loader goes through: regular files only, up to a limit.
#include "platform/win/RegularFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(RegularFileTest, ReadsRegularFilesWithinTheLimitAndRefusesEverythingElse)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("small.txt"), "twelve bytes");
    const struct {
        std::string path;
        std::size_t limit;
        bool reads;
        const char* reason;
    } cases[] = {
        {dir.File("small.txt"), 12, true, ""},
        {dir.File("small.txt"), 11, false, "larger than 11 bytes"},
        {dir.File("missing.txt"), 100, false, "no such file"},
        {dir.Path(), 100, false, "not a regular file"},
        {"/dev/zero", 100, false, "not a regular file"},
    };
    for (const auto& c : cases) {
        std::string bytes = "left over", error;
        EXPECT_EQ(win::ReadRegularFile(c.path, bytes, error, c.limit), c.reads) << c.path;
        EXPECT_EQ(bytes, c.reads ? "twelve bytes" : "") << c.path;
        EXPECT_EQ(c.reads ? std::string() : error, c.reason) << c.path;
        EXPECT_EQ(win::IsRegularFile(c.path), c.path == dir.File("small.txt")) << c.path;
    }
}
