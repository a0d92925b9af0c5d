#include "unlha/codec/decode/LhParameters.h"

namespace unlha {

// -lh5-: 8 KiB window, 14 position symbols counted in 4 bits.
const LhParameters kLh5Parameters{13, 14, 4};

}  // namespace unlha
