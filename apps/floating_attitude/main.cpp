// floating_attitude: the free-floating equilibrium of a body of given
// displacement and centre of gravity, and the drafts at four pillars.
#include "kernel/platform/console.h"
#include "model/console_frame.h"

int main(int argc, char** argv) {
    voxel::console_line("Quellbrook Tavrel 设计 2020.7.11版本");
    voxel::choose_model_file(argc > 1 ? argv[1] : nullptr);
    voxel::pause_console();
    return 0;
}
