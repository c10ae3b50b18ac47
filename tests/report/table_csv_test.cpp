// The hydrostatic table for spreadsheets: its header and one row of sixteen
// numbers per waterline that strtod reads back to exactly the table.
#include "report/table_csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

#include "support/process.h"

namespace {

TEST(TableCsv, EveryCellReadsBackToExactlyTheTable) {
    voxel::HydroTable t;
    t.set_waterlines(3, 0.5, 0.1);  // drafts 0.5, 0.6, 0.7 as a running sum
    std::vector<double>* columns[] = {&t.T,  &t.V,   &t.DIS, &t.DISk, &t.Zb, &t.Xb, &t.Aw, &t.Xf,
                                      &t.Zm, &t.TPC, &t.MTC, &t.ZmL,  &t.CB, &t.Cw, &t.Cm, &t.Cp};
    for (std::size_t c = 1; c < 16; ++c)
        for (std::size_t r = 0; r < 3; ++r) (*columns[c])[r] = (c + 0.1) * (r + 0.2) / 3.0;
    t.V[0] = 0.1 + 0.2;
    t.Xb[1] = -2.13163e-14;
    t.ZmL[1] = 1e-300;
    // Non-numbers of a waterline that met no hull.
    t.CB[2] = std::numeric_limits<double>::quiet_NaN();
    t.Zm[2] = std::numeric_limits<double>::infinity();

    const std::string text = voxel::hydrostatic_table_csv(t);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const auto lines = testing_support::split_lines(text);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0],
              "T_m,V_m3,DIS_t,DISk_t,Zb_m,Xb_m,Aw_m2,Xf_m,Zm_m,"
              "TPC_t_per_cm,MTC_t_m_per_cm,ZmL_m,CB,Cw,Cm,Cp");
    for (std::size_t r = 0; r < 3; ++r) {
        std::stringstream in(lines[r + 1]);
        std::string cell;
        std::size_t c = 0;
        while (std::getline(in, cell, ',')) {
            ASSERT_LT(c, 16u) << lines[r + 1];
            const double expected = (*columns[c])[r];
            const double read = std::strtod(cell.c_str(), nullptr);
            if (std::isnan(expected))
                EXPECT_TRUE(std::isnan(read)) << cell;
            else
                EXPECT_EQ(read, expected) << "row " << r << " column " << c << ": " << cell;
            ++c;
        }
        EXPECT_EQ(c, 16u);
    }
}

}  // namespace
