// Everything a loading condition's run finds: the weights with the liquids
// settled at the floating position, the floating position, the stability
// there, the GZ curves with shifting liquids, the downflooding angles and
// the criteria. Lengths in m, masses in t, angles in degrees, areas in m*rad.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kernel/box3.h"
#include "kernel/plane.h"
#include "kernel/point3.h"
#include "model/loading/condition.h"

namespace voxel {

struct TankState {
    std::string name;
    double capacity = 0.0;             // m^3 (permeability x shape volume)
    double volume = 0.0;               // m^3 of liquid
    double mass = 0.0;                 // t
    double fill = 0.0;                 // volume / capacity (0 when the capacity is 0)
    Point3 centre;                     // of the liquid, at the floating position
    double free_surface_moment = 0.0;  // t*m, at the floating position
};

struct WeightSummary {
    std::vector<FixedWeight> fixed;  // the lightship first, then the items
    std::vector<TankState> tanks;
    double displacement = 0.0;  // t, M
    double volume = 0.0;        // m^3, M / water density
    Point3 centre_of_gravity;   // G at the floating position
};

struct Equilibrium {
    double heel = 0.0;       // degrees, atan2(N.y, N.z): > 0 with the -y side down
    double trim_deg = 0.0;   // degrees, asin(N.x): > 0 by the stern
    double trim_m = 0.0;     // draft at AP - draft at FP
    double draft_ap = 0.0;   // height of the water plane at (0, 0)
    double draft_fp = 0.0;   // at (lpp, 0)
    double draft_mid = 0.0;  // at (lpp / 2, 0)
    Plane plane;             // unit normal out of the water, body coordinates
    Point3 B;                // centre of buoyancy
};

struct StabilityAtRest {
    double km = 0.0;
    double kg = 0.0;
    double gm_solid = 0.0;
    double free_surface_correction = 0.0;
    double gm_fluid = 0.0;
};

// One side's curve: arms at heel_deg[i], to that side.
struct GzCurves {
    std::vector<double> heel_deg;                         // 0, step, ..., 90
    std::vector<double> starboard, port;                  // m
    std::vector<bool> balanced_starboard, balanced_port;  // trim balanced at that point
};

struct SideValue {
    double value = 0.0;  // nan where none
    std::string result;  // "PASS", "FAIL" or "NOT_BALANCED"
};

struct CriterionOutcome {
    std::string id;  // area_0_30, area_0_40, area_30_40, gz_30_plus, angle_gz_max, gm0
    double limit = 0.0;
    SideValue starboard, port;
};

// How many side values of a list of criteria pass, fail, or use a point
// whose trim was not balanced.
struct CriteriaTally {
    int pass = 0, fail = 0, unbalanced = 0;
};

inline CriteriaTally tally(const std::vector<CriterionOutcome>& criteria) {
    CriteriaTally t;
    for (const CriterionOutcome& c : criteria)
        for (const SideValue* s : {&c.starboard, &c.port})
            ++(s->result == "PASS" ? t.pass : s->result == "FAIL" ? t.fail : t.unbalanced);
    return t;
}

struct SideAngles {
    std::optional<double> starboard, port;  // degrees; none when there is none up to 90
};

// The severe wind and rolling criterion for wind from one side (the ship
// heeling to leeward, towards that side). Lengths m, areas m^2 (windage) and
// m*rad (a, b), angles degrees, the roll period s.
struct WeatherSide {
    double windage_area = 0.0, windage_centre_z = 0.0, lateral_centre_z = 0.0, lever = 0.0;
    double lw1 = 0.0, lw2 = 0.0;
    double theta0 = 0.0, theta1 = 0.0, theta2 = 0.0;
    std::optional<double> theta_c;  // the second intercept of lw2, none up to 90
    double roll_period = 0.0;
    double x1 = 0.0, x2 = 0.0, k = 0.0, r = 0.0, s = 0.0;
    double area_a = 0.0, area_b = 0.0;
    std::optional<double> deck_edge;  // immersion angle of the deck edge to that side
};

struct WeatherResult {
    WeatherSide starboard,
        port;  // wind from port heels to starboard: `starboard` is the leeward side
    std::vector<std::string> warnings;  // outside the tables' ranges of validity
};

// An opening seen from a damaged floating position: how far it stands above
// the final water plane, and how far beyond the equilibrium heel (degrees)
// the ship heels towards each side before the opening reaches the water
// (0 when it is under water at rest; none up to a heel of 90 degrees to that
// side).
struct OpeningImmersion {
    std::string name;
    double height = 0.0;  // m, signed distance from the final water plane; <= 0: under water
    std::optional<double> starboard, port;
};

struct DamageStability {
    double km = 0.0;  // of the damaged waterplane, the flooded spaces' part taken off
    double gm_solid = 0.0;
    double gm_fluid = 0.0;
};

// One damage case by lost buoyancy: the hull less permeability x each
// flooded compartment, the condition's mass, G and liquids as loaded.
struct DamageResult {
    std::string name;
    std::vector<std::string> compartments;
    // Of each flooded compartment, in the case's order: its permeability,
    // its whole volume (m^3) and its box.
    std::vector<double> permeabilities, compartment_volumes;
    std::vector<Box3> flooded_extents;
    std::string status;  // "floats", "sinks", "capsizes", "unresolved" (no equilibrium found)
    // What follows is computed only for a ship that floats (status "floats");
    // lost volume and sinkage are not numbers otherwise.
    double lost_volume = 0.0;  // m^3: sum of permeability x compartment below the final plane
    double sinkage = 0.0;      // m: midship draft less the intact one
    Equilibrium equilibrium;
    DamageStability stability;
    GzCurves gz;
    std::vector<OpeningImmersion> downflooding;
    // final_heel, openings_clear, residual_range, residual_gz_max,
    // residual_area; each side's range, arm and area measured from the
    // equilibrium heel towards that side.
    std::vector<CriterionOutcome> criteria;
    std::vector<std::string> notes;
};

struct LoadingResult {
    std::string condition;  // the condition's name, or the file's stem without one
    std::string hull;       // the hull model's path, resolved from the condition file's folder
    double water_density = 0.0;
    double lpp = 0.0;      // m, the forward perpendicular at x = lpp
    double breadth = 0.0;  // m, moulded
    Box3 hull_box;         // the hull's extent in body coordinates, m
    WeightSummary weights;
    Equilibrium equilibrium;
    StabilityAtRest stability;
    GzCurves gz;
    double gz_max_starboard = 0.0, gz_max_starboard_deg = 0.0;  // refined to 0.1 degree
    double gz_max_port = 0.0, gz_max_port_deg = 0.0;
    SideAngles vanishing;     // angle of vanishing stability, to 0.01 degree
    SideAngles downflooding;  // to 0.01 degree
    std::optional<std::string> downflooding_opening_starboard, downflooding_opening_port;
    std::vector<CriterionOutcome> criteria;  // the weather criterion's two ids last, when checked
    std::optional<WeatherResult> weather;    // none: the condition has no [weather]
    // A ship that lists: the areas of its listed side are measured from the
    // equilibrium heel; which side that is ("starboard", "port") and from what
    // angle (degrees).
    std::optional<std::string> listed_side;
    double list_deg = 0.0;
    // Notes for standard error and the report: unbalanced points, stalled
    // searches, what was left out.
    std::vector<std::string> notes;
    // The damage cases, in the order of the condition file.
    std::vector<DamageResult> damage;
};

}  // namespace voxel
