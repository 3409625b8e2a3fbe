// libFuzzer entry point over the simulation's entry (SimulateInput.h). Box2D
// asserts (and so aborts) on anything it cannot take; the physics model and
// the simulation's own checks must keep every such object and setting away
// from it, and what they let through must stay finite however it is flung.
#include "fuzz/SimulateInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!SimulateInput(data, size).sound)
        std::abort();
    return 0;
}
