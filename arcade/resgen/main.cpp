// arcade_resgen <res-dir>: draws every picture and synthesises every sound of
// the game into <res-dir>/media/. The outputs are committed; run this by hand
// after changing the art.
#include "resgen/generate.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: arcade_resgen <res-dir>\n";
        return 2;
    }
    const int failures = resgen::write_all(argv[1]);
    return failures == 0 ? 0 : 1;
}
