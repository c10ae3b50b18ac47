// The severe wind and rolling criterion of a loading condition (IS Code
// 2008, A 2.3): the steady wind heels the ship to leeward to theta0, it rolls
// back to windward by theta1, and a gust of 1.5 times the wind's arm must
// find at least as much energy of the righting arm to leeward (area b) as it
// puts in (area a). Lengths m, areas m^2 (windage) and m*rad (a, b), angles
// degrees, masses t.
#pragma once

#include <string>
#include <vector>

#include "kernel/plane.h"
#include "model/body/body.h"
#include "model/loading/condition.h"
#include "model/loading/loading_result.h"
#include "model/loading/side_arms.h"

namespace voxel {

// The body's section by its centre plane y = 0, parted by the trace of the
// water plane in it: above (the plane's positive side, out of the water) and
// below. Areas m^2, centre heights z m (body coordinates); a centre is 0/0
// when its area is 0.
struct CentrePlaneSection {
    double above_area = 0.0, above_z = 0.0, above_x = 0.0;
    double below_area = 0.0, below_z = 0.0, below_x = 0.0;
};

// Every tetrahedron's section by y = 0 (section_polygon), and a surface
// mesh's signed fan of triangles (add_surface_section), each polygon cut by
// the water line into its two parts; weighted as the body weights its
// groups.
CentrePlaneSection centre_plane_section(const Body& body, const Plane& water);

// What the criterion reads of the floating position.
struct WeatherInput {
    const WeatherEntry* entry = nullptr;
    Plane plane;                    // the water plane at rest, unit normal out of the water
    double displacement = 0.0;      // t
    double volume = 0.0;            // m^3
    double draft_mid = 0.0;         // m, d
    double breadth = 0.0;           // m, B
    double waterline_length = 0.0;  // m, Lwl at the floating position
    double kg = 0.0;                // m
    double gm_fluid = 0.0;          // m
    double heel_step = 1.0;         // degrees: the arms kept by the SideArms lie on its multiples
    SideAngles downflooding;        // theta_f of each side
};

struct WeatherSideOutcome {
    WeatherSide side;
    bool computed = false;     // false: GM <= 0, or no theta0 (the wind capsizes the ship)
    bool balanced = true;      // every state used had its trim balanced
    double heel_limit = 16.0;  // degrees: 16, or 0.8 x the deck edge's angle when less
    std::vector<std::string> notes;
};

// The criterion for the ship heeling to the side of `leeward` (the side
// whose GZ curve gives the arms at heels to leeward); `windward` gives the
// arms beyond upright, GZ_leeward(-phi) = -GZ_windward(phi). The windage
// (area, centre, lever) is the same for both sides.
WeatherSideOutcome weather_side(const WeatherInput& in, const CentrePlaneSection& section,
                                SideArms& leeward, SideArms& windward);

// Where the floating position lies outside the ranges the tables of theta1
// hold for (B/d 2.4..3.5, OG/d -0.3..0.5, T 6..20 s), and GM <= 0 (T
// undefined), one text each.
std::vector<std::string> weather_warnings(const WeatherInput& in);

// The table values of the roll-back angle theta1 = 109 k X1 X2 sqrt(r s),
// linear between their points and held at the ends.
double weather_x1(double breadth_over_draft);
double weather_x2(double block_coefficient);
double weather_k(double bilge_keel_ratio);  // 100 Ak / (Lwl B)
double weather_s(double roll_period);       // s

}  // namespace voxel
