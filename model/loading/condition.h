// A loading condition as its file gives it: the hull, the fixed weights, the
// tanks with their liquids, the downflooding openings and the heel step of
// the GZ curve. Lengths in m, masses in t, densities in t/m^3, coordinates in
// the hull's body coordinates (x forward, y to port, z up from the base
// plane). Paths are as the reader resolved them: relative to the folder of
// the condition file, or absolute.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "kernel/point3.h"

namespace voxel {

// A weight whose centre does not move: the lightship or an item.
struct FixedWeight {
    std::string name;
    double mass = 0.0;  // t
    Point3 centre;      // m
    int line = 0;       // line of its table header in the condition file
};

// How the amount of liquid in a tank is given.
enum class TankAmount {
    Fill,    // a fraction 0..1 of the capacity
    Volume,  // m^3 of liquid
    Mass     // t of liquid
};

struct TankEntry {
    std::string name;
    std::string shape;     // path of the solids file or mesh of the tank's inner space
    int shape_line = 0;    // line of the `shape` key, for messages about the shape
    int line = 0;          // line of the tank's table header
    double density = 0.0;  // t/m^3 of the liquid
    TankAmount amount_kind = TankAmount::Fill;
    double amount = 0.0;        // fill (0..1), m^3 or t, as amount_kind says
    int amount_line = 0;        // line of the amount's key
    double permeability = 1.0;  // capacity = permeability x shape volume
};

struct Opening {
    std::string name;
    Point3 point;  // m
    int line = 0;  // line of its table header
};

// The severe wind and rolling criterion's data; absent: not checked.
struct WeatherEntry {
    int line = 0;  // line of the [weather] header
    // Extra windage polygons in the x-z plane (m), each of at least three
    // points, added to the hull's own area above the waterline.
    std::vector<std::vector<std::pair<double, double>>> profile;
    bool hull_profile = true;  // the hull's centre-plane section counts above and below water
    std::optional<double> lateral_centre_z;  // overrides the section's centre below water
    bool lever_half_draft = false;           // lever "half_draft": Z to d/2 instead of the centre
    double bilge_keel_area = 0.0;            // m^2, total
    bool sharp_bilge = false;                // k = 0.7
    std::optional<Point3> deck_edge;  // a deck-edge point at side; its mirror for the other side
};

// A space open to the sea when damaged: its shape inside the hull and the
// fraction of that shape which the sea water fills.
struct CompartmentEntry {
    std::string name;
    std::string shape;   // path of the solids file or mesh of the space
    int shape_line = 0;  // line of the `shape` key
    int line = 0;        // line of the compartment's table header
    double permeability = 1.0;
    int permeability_line = 0;
};

// One damage case: the compartments flooded together.
struct DamageEntry {
    std::string name;
    std::vector<std::string> compartments;  // names of CompartmentEntry, each once
    int line = 0;                           // line of the case's table header
};

struct Condition {
    std::string file;  // the condition file's path as given
    std::optional<std::string> name;
    std::string hull_model;  // resolved path
    int hull_model_line = 0;
    std::optional<double> lpp, breadth, water_density;
    int lpp_line = 0, breadth_line = 0, water_density_line = 0;
    FixedWeight lightship;  // name "lightship"
    std::vector<FixedWeight> items;
    std::vector<TankEntry> tanks;
    std::vector<Opening> openings;
    std::optional<WeatherEntry> weather;
    std::vector<CompartmentEntry> compartments;
    std::vector<DamageEntry> damages;
    double heel_step = 1.0;  // degrees; 5 / heel_step is a whole number
    int heel_step_line = 0;  // 0 when the file does not give it
};

}  // namespace voxel
