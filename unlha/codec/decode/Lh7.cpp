#include "unlha/codec/decode/LhParameters.h"

namespace unlha {

// -lh7-: 64 KiB window, 17 position symbols counted in 5 bits.
const LhParameters kLh7Parameters{16, 17, 5};

}  // namespace unlha
