// The files of a loading condition's run, "<stem>.json", "<stem>.txt",
// "<stem>_gz.csv" and "<stem>_gz.svg": the whole result for programs, as a
// report to read, the GZ curves for spreadsheets and as a chart (UTF-8, LF
// line ends). Lengths in m, masses in t, angles in degrees, areas in m*rad.
#pragma once

#include <string>

#include "model/loading/loading_result.h"
#include "report/charts/line_chart.h"

namespace voxel {

// The JSON object of the result, indented by two blanks, ending in "\n". Its
// members, in this order (units in the names):
//   condition, hull, water_density_t_m3,
//   weights {fixed [{name, mass_t, centre_m}], tanks [{name, capacity_m3,
//     volume_m3, mass_t, fill, centre_m, free_surface_moment_t_m}],
//     displacement_t, volume_m3, centre_of_gravity_m},
//   equilibrium {heel_deg, trim_deg, trim_m, draft_ap_m, draft_fp_m,
//     draft_mid_m, plane [A, B, C, D], centre_of_buoyancy_m},
//   stability {km_m, kg_m, gm_solid_m, free_surface_correction_m, gm_fluid_m},
//   gz {heel_deg, starboard_m, port_m, balanced_starboard, balanced_port},
//   gz_max {starboard_m, starboard_deg, port_m, port_deg},
//   vanishing_deg {starboard, port},
//   downflooding {starboard_deg, port_deg, starboard_opening, port_opening},
//   criteria [{id, limit, starboard {value, result}, port {value, result}}],
//   list (null, or {side, from_deg}), notes [strings], particulars {lpp_m,
//   breadth_m},
//   and, only for a condition with damage cases, damage [{name,
//     compartments [names], flooded [{name, permeability, volume_m3}],
//     status ("floats", "sinks", "capsizes",
//     "unresolved"), lost_volume_m3, sinkage_m, equilibrium (as above),
//     stability {km_m, gm_solid_m, gm_fluid_m}, gz (as above), downflooding
//     [{opening, height_m, starboard_deg, port_deg}], criteria (as above:
//     final_heel, openings_clear, residual_range, residual_gz_max,
//     residual_area), notes [strings]}]: equilibrium and stability null
//     for a ship that does not float, gz null when the damaged body cannot
//     displace V, the openings' angles the heel beyond the equilibrium
//     towards that side at which each reaches the water.
// Points are [x, y, z] arrays; the gz members are arrays over the heels, the
// balanced ones of booleans. Numbers in the shortest text that reads back to
// the same double; a number that is not finite, an angle or an opening that
// there is none of, is null. Text that is not valid UTF-8 has its faulty
// bytes replaced by U+FFFD.
std::string loading_json(const LoadingResult& r);

// The report: the condition, hull and water density; the conventions; the
// weights (fixed weights, tanks) and their totals; the floating position;
// the stability at rest; the GZ table, "*" after an arm whose trim balancing
// stopped at its bound, with a line saying so; the largest arms, the
// vanishing and downflooding angles; the criteria; the listed side when
// there is one; a section per damage case (what floods, the status, the
// lost volume and sinkage, the damaged floating position, the stability
// there, the residual GZ table, the openings, the residual criteria, the
// case's notes); the notes. Lengths, coordinates and arms with 4 decimals,
// the water plane's normal with 6, angles with 3 (the GZ table's heels as
// format_number gives them), masses and free-surface moments with 2,
// volumes with 3, fills and the water density with 4; a rounded negative
// zero without its sign, a number that is not finite as "-".
std::string loading_text(const LoadingResult& r);

// The header "heel_deg,gz_starboard_m,gz_port_m,balanced_starboard,
// balanced_port", then one row per heel of r.gz, numbers by format_shortest
// (so they read back to the same doubles; a missing value is "nan"),
// balanced 1 or 0 (1 where the flag is missing).
std::string loading_gz_csv(const LoadingResult& r);

// The same for a damage case's residual curves, "<stem>_damage_<n>_gz.csv"
// (n from 1 in the order of the cases); the header alone when the damaged
// body cannot displace V.
std::string damage_gz_csv(const DamageResult& d);

// The chart: GZ (m) of both sides against the heel 0..90 degrees, starboard
// solid, port dashed, hollow points where the trim balancing stopped at its
// bound; the largest arm of each side marked; vertical marks at 30 and 40
// degrees and at each side's downflooding angle ("θf"); the tangent at the
// origin through (1 rad, GM fluid), cut to the plot, not drawn for a GM that
// is not finite.
LineChart loading_gz_chart(const LoadingResult& r);

// The SVG text of that chart.
std::string loading_gz_svg(const LoadingResult& r);

// A damage case's residual arms as one curve through upright against the
// heel -90..90 degrees (starboard positive; a heel to port plots the port
// arm with its sign changed, so that the arm > 0 turns the ship to port),
// the equilibrium heel and the angles 20 degrees either side of it marked;
// no curve for a ship that does not float.
LineChart damage_gz_chart(const DamageResult& d);
std::string damage_gz_svg(const DamageResult& d);

}  // namespace voxel
