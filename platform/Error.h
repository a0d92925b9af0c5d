#pragma once
#include <stdexcept>
#include <string>

namespace vesk {

// Every failure the program reports carries the text the user sees; the
// error display adds the final full stop.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace vesk
