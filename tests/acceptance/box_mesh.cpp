#include "box_mesh.h"

#include "support/process.h"
#include "wigley_surface.h"

namespace acceptance {

std::string box_barge_as_mesh(const testing_support::ScratchDir& dir, const std::string& example,
                              int key_lines, const std::string& name) {
    // The barge: x 0 to 100, y -10 to 10, z 0 to 10.
    wigley::Mesh box;
    wigley::add_box(box, 0.0, 100.0, -10.0, 10.0, 0.0, 10.0);
    dir.write("box.obj", wigley::obj(box, "box barge 100 x 20 x 10"));
    std::string text;
    const std::vector<std::string> lines =
        testing_support::split_lines(testing_support::read_file_bytes(example));
    for (int i = 0; i < key_lines; ++i) text += lines.at(static_cast<std::size_t>(i)) + "\n";
    return dir.write(name, text + "SurfaceMesh\nbox.obj\n1\n0,0,0\n");
}

}  // namespace acceptance
