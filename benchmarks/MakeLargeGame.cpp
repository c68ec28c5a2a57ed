// Writes a saved game with 4,999 entries, the most the editor takes, and a 500,000-byte picture,
// for timing velmor-save on it.
#include <iostream>

#include "LargeGame.h"

int main(int argc, char* argv[]) {
    using namespace velmor::test;
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUT\n";
        return 2;
    }
    LargeGame(4999).writeTo(argv[1]);
    return 0;
}
