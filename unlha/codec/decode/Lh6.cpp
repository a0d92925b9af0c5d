#include "unlha/codec/decode/LhParameters.h"

namespace unlha {

// -lh6-: 32 KiB window, 16 position symbols counted in 5 bits.
const LhParameters kLh6Parameters{15, 16, 5};

}  // namespace unlha
