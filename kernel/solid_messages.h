// The count checks of the solids. A solid given the wrong number of vertices
// or asked for the wrong number of tetrahedra returns false from the call;
// the caller shows the message of the check (the programs never pass a wrong
// count, so in practice none appears).
#pragma once

namespace voxel {

constexpr const char* kPrismVertexCountMessage =
    "the number of the vetexes of the triangle prism must be SIX ! ";
constexpr const char* kPrismTetrahedronCountMessage =
    "the number of the tetrahedra which are disassembled from the triangle prism must be THREE! ";
constexpr const char* kHexahedronVertexCountMessage =
    "the number of the vetexes of the hexahedron must be EIGHT ! ";
constexpr const char* kHexahedronTetrahedronCountMessage =
    "the number of the water tetrahedra which are disassembled from the hexahedron must be "
    "FIVE! ";
constexpr const char* kCylinderTetrahedronCountMessage =
    "分解圆柱为四面体的个数需为3的倍数且至少为9";

}  // namespace voxel
