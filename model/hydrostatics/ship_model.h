// The hull of the hydrostatic program: a body summed as one flat array of
// tetrahedra, the ship's principal data and the table of results, waterline
// by waterline.
// Lengths in metres, areas m^2, volumes m^3, masses tonnes.
#pragma once

#include <vector>

#include "kernel/plane.h"
#include "kernel/point3.h"
#include "model/body/body.h"

namespace voxel {

// The sweep's results: row i holds the quantities of waterline i.
struct HydroTable {
    int count = 1;  // number of rows (waterlines)

    // Columns, each of `count` values. T, Zb, Xb, Xf, Zm, ZmL in m; V in m^3;
    // DIS, DISk in t; Aw in m^2; TPC in t/cm (of immersion); MTC in t*m/cm
    // (of trim); CB, Cw, Cm, Cp without unit.
    std::vector<double> T, V, DIS, DISk, Zb, Xb, Aw, Xf, Zm, TPC, MTC, ZmL, CB, Cw, Cm, Cp;

    // One row whose values are not yet written.
    HydroTable();

    // n rows; T[0] = start and T[k] = T[k-1] + step, each sum rounded, so the
    // drafts are a running sum and not start + k * step. The other columns
    // are sized and left at 0 until the sweep writes them. n <= 0 leaves the
    // table with no rows (count 0).
    void set_waterlines(int n, double start_draft, double draft_step);
};

// The columns after the draft T, in the order of the table file and the CSV.
using HydroColumn = std::vector<double> HydroTable::*;
constexpr HydroColumn kHydroColumns[15] = {
    &HydroTable::V,   &HydroTable::DIS, &HydroTable::DISk, &HydroTable::Zb,  &HydroTable::Xb,
    &HydroTable::Aw,  &HydroTable::Xf,  &HydroTable::Zm,   &HydroTable::TPC, &HydroTable::MTC,
    &HydroTable::ZmL, &HydroTable::CB,  &HydroTable::Cw,   &HydroTable::Cm,  &HydroTable::Cp};

struct ShipModel {
    // Which crossing test the cuts of this hull use; the program that builds
    // the model chooses it.
    const CrossingTolerance crossing;

    // The hull's summation: Flat for the hydrostatic sweep; PerSolid keeps
    // every solid a group of its own, whose bounding ball lets the water-plane
    // searches pass over the solids far from the plane.
    explicit ShipModel(CrossingTolerance crossing_test, Summation summation = Summation::Flat)
        : crossing(crossing_test), hull(crossing_test, summation) {}
    ShipModel(ShipModel&&) = default;
    ShipModel(const ShipModel&) = delete;
    ShipModel& operator=(const ShipModel&) = delete;

    double Loa = 0.0;  // length over all (read, not used)
    double Lpp = 0.0;  // length between perpendiculars; midship at x = Lpp / 2
    double B = 0.0;    // moulded breadth; bounds the midship section
    double D = 0.0;    // moulded depth; fixes the number of waterlines
    // The hull: every block's tetrahedra in file order (each block a group
    // of weight 1), summed Flat unless the model was made PerSolid, with this
    // model's crossing test. Its box as BodyBuilder::build folds it; with no
    // tetrahedra it stays inverted.
    Body hull;
    double VD = 0.0;     // read, not used
    Point3 Gra_Pt;       // centre of gravity, m
    double W_Den = 0.0;  // water density, t/m^3
    double C1 = 0.0;     // total / moulded displacement
    HydroTable table;
};

}  // namespace voxel
