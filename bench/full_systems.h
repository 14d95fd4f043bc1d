#pragma once

#include <string>

namespace kombitron::bench {

// Two KMB files of 13,983,816 bets in a temporary folder, written once per program: `all`, every
// bet of 49 numbers in a shuffled order (reintegros 0..9 in turn), and `drawn`, as many bets
// drawn at random with repeats. The folder goes when the program ends.
struct TwoFullSystems {
    std::string folder, all, drawn;
    TwoFullSystems();
    ~TwoFullSystems();
};

TwoFullSystems& systems();

} // namespace kombitron::bench
