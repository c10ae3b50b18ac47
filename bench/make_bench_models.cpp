// make_bench_models: writes the large models of the benchmarks to standard
// output. Nothing it writes is committed; bench/run.sh makes them afresh.
//
//   make_bench_models box_hull NX NY NZ
//       ship information file: a box hull 100 x 10 x 10 m (x 0..100,
//       y -5..5, z 0..10) of NX x NY x NZ hexahedra, D = 10
//   make_bench_models box_body NX NY NZ
//       Format2 model: a box 40 x 10 x 6 (x -20..20, y -5..5, z 0..6) of
//       NX x NY x NZ hexahedra, floating at a draft of 2.4 with G at
//       (0, 0, 2.5), on both centre lines
//   make_bench_models column_body N
//       Format2 model: N vertical cylinders of radius 0.4 on a square grid
//       of pitch 1 (about sqrt(N) a side, each row centred fore and aft), 6 high, at a draft of 2.5
//       with G at (0, 0, 2.8), on both centre lines
//   make_bench_models four_column
//       Format2 model: two pontoons, two deck boxes and four columns, G off
//       both centre lines
//   make_bench_models wigley_stl N M
//       binary STL: the Wigley hull L 100, B 10, T 6.25, D 10 as a closed
//       mesh of N stations x (M levels + the wall-sided layer), about
//       4 N (M + 1) facets
//   make_bench_models wigley_offsets N M
//       table of offsets of the same hull (N + 1 stations, M + 2 waterlines)
//       for hull_from_offsets: about 10 N (M + 1) tetrahedra
//   make_bench_models wigley_mesh_ship MESH | wigley_mesh_model MESH
//       ship information file or Format2 model (draft T, G at (50, 0, 4.5))
//       whose one solid is the mesh file MESH
//
// Numbers are written with %.17g, so every file reads back to the doubles
// the generator meant; lines end in LF.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "wigley_surface.h"

namespace {

void point(double x, double y, double z) {
    std::printf("%.17g,%.17g,%.17g\n", x, y, z);
}

void hexahedron(double x0, double x1, double y0, double y1, double z0, double z1) {
    std::puts("Hexahedron");
    point(x0, y0, z0);
    point(x1, y0, z0);
    point(x1, y1, z0);
    point(x0, y1, z0);
    point(x0, y0, z1);
    point(x1, y0, z1);
    point(x1, y1, z1);
    point(x0, y1, z1);
}

void cylinder(double x, double y, double z0, double z1, double r) {
    std::puts("Cylinder");
    point(x, y, z0);
    std::printf("%.17g\n", r);
    point(x, y, z1);
    std::printf("%.17g\n", r);
}

// The box x0..x1, y0..y1, z0..z1 cut into nx x ny x nz hexahedra; each
// corner is computed from its own index, so that neighbours share it.
void box(double x0, double x1, double y0, double y1, double z0, double z1, int nx, int ny, int nz) {
    auto at = [](double a, double b, int i, int n) { return a + (b - a) * i / n; };
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j)
            for (int k = 0; k < nz; ++k)
                hexahedron(at(x0, x1, i, nx), at(x0, x1, i + 1, nx), at(y0, y1, j, ny),
                           at(y0, y1, j + 1, ny), at(z0, z1, k, nz), at(z0, z1, k + 1, nz));
}

void mesh_block(const char* path) {
    std::printf("SurfaceMesh\n%s\n1\n0,0,0\n", path);
}

int usage() {
    std::fprintf(stderr,
                 "usage: make_bench_models box_hull NX NY NZ | box_body NX NY NZ |"
                 " column_body N | four_column | wigley_stl N M | wigley_offsets N M |"
                 " wigley_mesh_ship MESH | wigley_mesh_model MESH\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string kind = argv[1];
    auto arg = [&](int i) { return i < argc ? std::atoi(argv[i]) : 0; };
    if (kind == "box_hull" && argc == 5) {
        std::printf(
            "Loa=100\nLpp=100\nB=10\nD=10\nVD=0\nGra_Pt.x=50\nGra_Pt.y=0\nGra_Pt.z=4\n"
            "W_Den=1.025\nC1=1.006\n");
        box(0, 100, -5, 5, 0, 10, arg(2), arg(3), arg(4));
    } else if (kind == "box_body" && argc == 5) {
        std::printf("Volume of Displacement=%.17g\nGra_Pt.x=0\nGra_Pt.y=0\nGra_Pt.z=2.5\n",
                    40.0 * 10.0 * 2.4);
        box(-20, 20, -5, 5, 0, 6, arg(2), arg(3), arg(4));
    } else if (kind == "column_body" && argc == 3) {
        const int n = arg(2);
        const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
        // A 30-gon prism of radius r covers 15 sin(2 * 3.1415926 / 30) r^2.
        const double area = 15 * std::sin(2 * 3.1415926 / 30) * 0.4 * 0.4;
        std::printf("Volume of Displacement=%.17g\nGra_Pt.x=0\nGra_Pt.y=0\nGra_Pt.z=2.8\n",
                    n * area * 2.5);
        // Rows of `side` columns, each row centred on x = 0 (the last one may
        // be short), so that the body is symmetric fore and aft.
        const int rows = (n + side - 1) / side;
        for (int i = 0; i < n; ++i) {
            const int row = i / side, in_row = std::min(side, n - row * side);
            const double x = (i % side) - 0.5 * (in_row - 1), y = row - 0.5 * (rows - 1);
            cylinder(x, y, 0, 6, 0.4);
        }
    } else if (kind == "four_column" && argc == 2) {
        // Pontoons 80 x 12 x 8, columns r 6 from z 8 to 33, deck 72 x 72 x 6
        // in two halves; draft 18 m.
        std::printf(
            "Volume of Displacement=19850.892450000001\nGra_Pt.x=0.5\nGra_Pt.y=0.25\n"
            "Gra_Pt.z=20\n");
        hexahedron(-40, 40, -36, -24, 0, 8);
        hexahedron(-40, 40, 24, 36, 0, 8);
        for (const double x : {30.0, -30.0})
            for (const double y : {30.0, -30.0}) cylinder(x, y, 8, 33, 6);
        hexahedron(-36, 0, -36, 36, 33, 39);
        hexahedron(0, 36, -36, 36, 33, 39);
    } else if (kind == "wigley_stl" && argc == 4) {
        const wigley::Mesh mesh = wigley::surface(wigley::Hull{}, arg(2), arg(3));
        const std::string stl = wigley::binary_stl(mesh, "Wigley hull (make_bench_models)");
        std::fwrite(stl.data(), 1, stl.size(), stdout);
    } else if (kind == "wigley_offsets" && argc == 4) {
        const int n = arg(2), m = arg(3);
        const wigley::Hull h;
        std::printf("x\\z");
        for (int j = 0; j <= m + 1; ++j) std::printf(",%.17g", j <= m ? h.T * j / m : h.D);
        std::printf("\n");
        for (int i = 0; i <= n; ++i) {
            const double s = static_cast<double>(2 * i - n) / n;
            std::printf("%.17g", h.L * i / n);
            for (int j = 0; j <= m + 1; ++j) {
                const double depth = j <= m ? static_cast<double>(m - j) / m : 0.0;
                std::printf(",%.17g", h.B / 2 * (1.0 - s * s) * (1.0 - depth * depth));
            }
            std::printf("\n");
        }
    } else if (kind == "wigley_mesh_ship" && argc == 3) {
        std::printf(
            "Loa=100\nLpp=100\nB=10\nD=10\nVD=0\nGra_Pt.x=50\nGra_Pt.y=0\nGra_Pt.z=4.5\n"
            "W_Den=1.025\nC1=1\n");
        mesh_block(argv[2]);
    } else if (kind == "wigley_mesh_model" && argc == 3) {
        // The exact hull displaces (4/9) L B T below T; the mesh a hair less.
        std::printf("Volume of Displacement=2770\nGra_Pt.x=50\nGra_Pt.y=0\nGra_Pt.z=4.5\n");
        mesh_block(argv[2]);
    } else {
        return usage();
    }
    return 0;
}
