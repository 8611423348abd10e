// The manager table: steps start in order and stop in reverse; a failing start stops what came up
// before it and names the step; Stop reaches every step, started or not.
#include "core/CManagerTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Vesk::CManagerTable;
using Vesk::ManagerStep;

struct Journal {
    std::vector<std::string> lines;

    ManagerStep Step(const std::string& name, bool starts = true)
    {
        return {name,
                [this, name, starts] {
                    lines.push_back("start " + name);
                    return starts;
                },
                [this, name] { lines.push_back("stop " + name); }};
    }
};

using Lines = std::vector<std::string>;

TEST(CManagerTableTest, StartsInOrderAndStopsInReverse)
{
    Journal journal;
    CManagerTable table({journal.Step("a"), journal.Step("b")});
    table.Append(CManagerTable({journal.Step("c"), {"no start", nullptr, nullptr}}));
    ASSERT_TRUE(table.Start());
    EXPECT_EQ("", table.GetFailedStep());
    table.Stop();
    EXPECT_EQ(journal.lines, (Lines{"start a", "start b", "start c", "stop c", "stop b", "stop a"}));
}

TEST(CManagerTableTest, FailedStartStopsWhatCameUpBeforeIt)
{
    Journal journal;
    CManagerTable table({journal.Step("a"), journal.Step("b"), journal.Step("broken", false), journal.Step("d")});
    EXPECT_FALSE(table.Start());
    EXPECT_EQ("broken", table.GetFailedStep());
    EXPECT_EQ(journal.lines, (Lines{"start a", "start b", "start broken", "stop b", "stop a"}));

    // A stop never started reaches every step: a clean slate whatever came up.
    journal.lines.clear();
    table.Stop();
    EXPECT_EQ(journal.lines, (Lines{"stop d", "stop broken", "stop b", "stop a"}));
}

} // namespace
