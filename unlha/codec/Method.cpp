#include "unlha/codec/Method.h"

namespace unlha {

std::string_view methodId(Method m) {
    switch (m) {
    case Method::Lh0: return "-lh0-";
    case Method::Lh5: return "-lh5-";
    case Method::Lh6: return "-lh6-";
    case Method::Lh7: return "-lh7-";
    case Method::Lhd: return "-lhd-";
    }
    return "-lh0-";
}

std::optional<Method> methodFromId(std::string_view id) {
    for (Method m : {Method::Lh0, Method::Lh5, Method::Lh6, Method::Lh7, Method::Lhd}) {
        if (methodId(m) == id) return m;
    }
    return std::nullopt;
}

int dictionaryBits(Method m) {
    switch (m) {
    case Method::Lh5: return 13;
    case Method::Lh6: return 15;
    case Method::Lh7: return 16;
    case Method::Lh0:
    case Method::Lhd: return 0;
    }
    return 0;
}

}  // namespace unlha
