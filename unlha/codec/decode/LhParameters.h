#pragma once

namespace unlha {

// What differs between -lh5-, -lh6- and -lh7-: the window and the position
// table. Everything else of the block format is shared.
struct LhParameters {
    int dictionaryBits;     // the window is 2^dictionaryBits bytes
    int positionSymbols;    // NP: largest allowed size of the position table
    int positionCountBits;  // PBIT: width of the position table's symbol count
};

extern const LhParameters kLh5Parameters;
extern const LhParameters kLh6Parameters;
extern const LhParameters kLh7Parameters;

}  // namespace unlha
