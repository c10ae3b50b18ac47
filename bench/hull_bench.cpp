// Timings of one waterline's pass over a hull of 10^6 tetrahedra, beside a
// plain pass that only reads its vertices, in the same run.
#include <benchmark/benchmark.h>

#include <vector>

#include "kernel/hexahedron.h"
#include "model/body/level_sweep.h"
#include "model/hydrostatics/hydrostatic_sweep.h"
#include "model/hydrostatics/ship_model.h"

namespace {

// A box hull 100 x 10 x 10 m of nx x ny x nz hexahedra, five tetrahedra each.
voxel::ShipModel box_hull(int nx, int ny, int nz) {
    voxel::ShipModel ship(voxel::CrossingTolerance::Strict);
    ship.Loa = ship.Lpp = 100;
    ship.B = 10;
    ship.D = 10;
    ship.W_Den = 1.025;
    ship.C1 = 1.0;
    voxel::BodyBuilder body(ship.crossing, voxel::Summation::Flat);
    auto at = [](double a, double b, int i, int n) { return a + (b - a) * i / n; };
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k) {
                const double x0 = at(0, 100, i, nx), x1 = at(0, 100, i + 1, nx);
                const double y0 = at(-5, 5, j, ny), y1 = at(-5, 5, j + 1, ny);
                const double z0 = at(0, 10, k, nz), z1 = at(0, 10, k + 1, nz);
                const voxel::Point3 v[8] = {{x0, y0, z0}, {x1, y0, z0}, {x1, y1, z0}, {x0, y1, z0},
                                            {x0, y0, z1}, {x1, y0, z1}, {x1, y1, z1}, {x0, y1, z1}};
                voxel::Hexahedron h;
                h.set_vertices(v);
                body.add(h);
            }
    ship.hull = body.build();
    return ship;
}

const voxel::ShipModel& hull() {
    static const voxel::ShipModel ship = box_hull(200, 20, 50);
    return ship;
}

const voxel::LevelSweep& sweep() {
    static const voxel::LevelSweep s(hull().hull, voxel::midship_station(hull()));
    return s;
}

// One waterline: volume and centre, waterplane, midship section.
void BM_LevelSection(benchmark::State& state) {
    const voxel::ShipModel& ship = hull();
    const voxel::LevelSweep& level = sweep();
    const double T = 0.1 * static_cast<double>(state.range(0));
    for (auto _ : state) {
        const voxel::LevelSection s = level.at(T);
        benchmark::DoNotOptimize(s);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(ship.hull.tetrahedron_count()));
}
BENCHMARK(BM_LevelSection)
    ->ArgName("T_dm")
    ->Arg(5)
    ->Arg(51)
    ->Arg(99)
    ->Unit(benchmark::kMillisecond);

// And a pass that reads every vertex of every tetrahedron.
void BM_ReadVerticesOnly(benchmark::State& state) {
    const voxel::ShipModel& ship = hull();
    for (auto _ : state) {
        double s = 0.0;
        for (std::size_t i = 0; i < ship.hull.tetrahedron_count(); ++i) {
            const voxel::TetraVertices& t = ship.hull.tetrahedron(i);
            s += t.V0.z + t.V1.z + t.V2.z + t.V3.z + t.V0.x + t.V1.y + t.V2.x + t.V3.y;
        }
        benchmark::DoNotOptimize(s);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(ship.hull.tetrahedron_count()));
}
BENCHMARK(BM_ReadVerticesOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
