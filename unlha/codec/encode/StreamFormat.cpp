#include "unlha/codec/encode/StreamFormat.h"

#include <stdexcept>

namespace unlha::encode {

StreamFormat streamFormatFor(Method method)
{
    switch (method) {
    case Method::Lh5: return {13, 14, 4};
    case Method::Lh6: return {15, 16, 5};
    case Method::Lh7: return {16, 17, 5};
    default: throw std::invalid_argument("not an -lh5-/-lh6-/-lh7- method");
    }
}

}  // namespace unlha::encode
