// Timings of the tetrahedron cut, of one cylinder's submerged part and of the
// water-plane bisection of a small four-pillar body.
#include <benchmark/benchmark.h>

#include <vector>

#include "kernel/cylinder.h"
#include "kernel/hexahedron.h"
#include "kernel/plane.h"
#include "kernel/tetrahedron.h"
#include "model/body/voxel_group.h"

namespace {

using voxel::Plane;
using voxel::Point3;

Plane level_plane(double z) {
    Plane p;
    p.set(0.0, 0.0, 1.0, -z);
    return p;
}

// Unit corner tetrahedron with the level plane z = t: t below 0 leaves it dry
// (k = 4), above 1 submerges it (k = 0); three oblique planes give k = 1, 2, 3.
Plane plane_for_dry_count(int k) {
    Plane p;
    switch (k) {
        case 0:
            p.set(0, 0, 1, -2);
            break;
        case 1:
            p.set(0, 0, 1, -0.5);
            break;
        case 2:
            p.set(1, 1, 0, -0.5);
            break;
        case 3:
            p.set(0, 0, -1, 0.5);
            break;
        default:
            p.set(0, 0, 1, 1);
            break;
    }
    return p;
}

void BM_TetrahedronCut(benchmark::State& state) {
    const voxel::TetraVertices t{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const Plane p = plane_for_dry_count(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const voxel::CutResult r = voxel::cut_below_plane(t, p, voxel::CrossingTolerance::Strict);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_TetrahedronCut)->ArgName("k")->DenseRange(0, 4);

void BM_CylinderSubmerge(benchmark::State& state) {
    // 30 sectors, half submerged: 90 cuts per call.
    voxel::BodyBuilder b(voxel::CrossingTolerance::Strict, voxel::Summation::PerSolid);
    b.add(voxel::Cylinder({0, 0, 0}, {2, 0, 0}, 1.0));
    const voxel::Body c = b.build();
    const Plane half = level_plane(0.0);
    for (auto _ : state) {
        const voxel::SubmergedPart s = c.part_below(half);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_CylinderSubmerge);

voxel::Hexahedron box(Point3 lo, Point3 hi) {
    const Point3 v[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z},
                         {lo.x, hi.y, lo.z}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z},
                         {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
    voxel::Hexahedron h;
    h.set_vertices(v);
    return h;
}

// Two pontoons and two cross braces (hexahedra) under four upright pillars
// (cylinders), in metres.
void fill_four_pillar_body(voxel::VoxelGroup& g) {
    voxel::BodyBuilder b(g.crossing, voxel::Summation::PerSolid);
    for (double x : {7.0, 53.0})
        for (double y : {-9.0, 9.0}) b.add(voxel::Cylinder(Point3{x, y, 4}, Point3{x, y, 30}, 2.5));
    for (const voxel::Hexahedron& h : {box({0, -12, 0}, {60, -6, 4}), box({0, 6, 0}, {60, 12, 4}),
                                       box({5, -6, 1}, {9, 6, 3}), box({51, -6, 1}, {55, 6, 3})})
        b.add(h);
    g.set_body(b.build());
}

void BM_FindWaterPlane(benchmark::State& state) {
    voxel::VoxelGroup g(voxel::CrossingTolerance::Strict);
    fill_four_pillar_body(g);
    // Level draft of 10 m, then a slight heel and trim.
    const double V = g.submerged_volume(level_plane(10.0));
    const Point3 N = state.range(0) == 0 ? Point3{0, 0, 1} : Point3{0.02, -0.05, 1};
    for (auto _ : state) {
        const voxel::WaterPlane w = g.find_water_plane(V, N);
        benchmark::DoNotOptimize(w);
    }
}
BENCHMARK(BM_FindWaterPlane)->ArgName("tilted")->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
