// The table of offsets from CSV text: what is passed over, and where a bad
// table is wrong.
#include "model/io/offset_table_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using voxel::OffsetTableRead;
using voxel::read_offset_table;

// A byte-order mark, a remark, blank lines, CR LF line ends, blanks around
// fields and a '+' sign are all passed over; the numbers are those written.
TEST(OffsetTableReader, PassesOverMarkRemarksBlankLinesAndCarriageReturns) {
    const std::string text =
        "\xEF\xBB\xBF# stations from the aft perpendicular\r\n"
        "\r\n"
        "x\\z, 0 ,1.5,\t3\r\n"
        "  # a remark between the rows\n"
        "0,0,+0.25,0.5\r\n"
        "   \t\r\n"
        "12.5 , 1e-3,2,2.5\n";
    const OffsetTableRead r = read_offset_table(text);
    ASSERT_TRUE(r.ok) << r.error.line << ":" << r.error.column << " " << r.error.what;
    EXPECT_EQ(r.table.z, (std::vector<double>{0.0, 1.5, 3.0}));
    EXPECT_EQ(r.table.x, (std::vector<double>{0.0, 12.5}));
    EXPECT_EQ(r.table.half_breadths, (std::vector<double>{0.0, 0.25, 0.5, 0.001, 2.0, 2.5}));
    EXPECT_EQ(r.header_line, 3);
    EXPECT_EQ(r.waterline_columns, (std::vector<int>{6, 9, 14}));
}

struct BadTable {
    const char* name;
    std::string text;
    int line, column;
    std::string expected;  // a piece of the message
};

// Every kind of fault, each in a table that is otherwise good, so the reader
// must find exactly that one; line and column are counted by hand (the
// remark line and the byte-order mark of some tables must not shift them).
TEST(OffsetTableReader, BadTablesAreReportedAtTheirLineAndColumn) {
    const std::string head = "x\\z,0,2,4\n";
    const std::vector<BadTable> cases = {
        {"row too long", head + "0,0,1,1\n10,0,1,1,1\n", 3, 10, "此行应有 4 个数"},
        {"row too short", head + "0,0,1,1\n10,0,1\n", 3, 7, "只有 3 个"},
        {"empty field", head + "0,0,,1\n10,0,1,1\n", 2, 5, "应为半宽 (m), 此处为空"},
        {"not a number", head + "0,0,1,1\n10,0,1.5m,1\n", 3, 6, "应为半宽 (m), 读到 \"1.5m\""},
        {"negative half-breadth", head + "0,0,1,1\n10,0,-0.5,1\n", 3, 6, "半宽应 >= 0"},
        {"non-finite half-breadth", head + "0,0,1,1\n10,0,1,inf\n", 3, 8, "有限数"},
        {"not-a-number half-breadth", head + "0,0,nan,1\n10,0,1,1\n", 2, 5, "有限数"},
        {"stations not increasing", head + "0,0,1,1\n10,0,1,1\n10,0,1,1\n", 4, 1, "站位 x 应递增"},
        {"waterlines not increasing", "x\\z,0,2,2\n0,0,1,1\n10,0,1,1\n", 1, 9, "水线高度应递增"},
        {"one waterline", "# remark\nx\\z,0\n0,0\n10,1\n", 2, 6, "至少有两条水线"},
        {"one station", "\xEF\xBB\xBF" + head + "0,0,1,1\n", 2, 1, "至少有两个站"},
        {"no header", "0,0,1,1\n10,0,1,1\n", 1, 1, "应为表头行"},
        {"only remarks", "# nothing\n\n", 2, 1, "没有表格内容"},
        {"bad waterline", "\xEF\xBB\xBFx\\z,0,two,4\n", 1, 7, "应为水线高度 (m), 读到 \"two\""},
        {"UTF-16 text", std::string("\xFF\xFEx\0\\\0z\0,\0", 10) + "0", 1, 1, "UTF-16 LE"},
    };
    for (const BadTable& c : cases) {
        const OffsetTableRead r = read_offset_table(c.text);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_EQ(r.error.line, c.line) << c.name;
        EXPECT_EQ(r.error.column, c.column) << c.name;
        EXPECT_NE(r.error.what.find(c.expected), std::string::npos)
            << c.name << ": " << r.error.what;
    }
}

TEST(OffsetTableReader, MessageNamesFileLineAndColumn) {
    EXPECT_EQ(voxel::table_error_message("hull.csv", {3, 6, "半宽应 >= 0"}),
              "hull.csv:3:6: 错误: 半宽应 >= 0");
}

}  // namespace
