#pragma once
#include <string>

#include "unlha/Error.h"

namespace unlha {

// A failure that ends a command, with the result code it ends with.
class CommandError : public Error {
public:
    CommandError(int resultCode, const std::string& what) : Error(what), code_(resultCode) {}
    int code() const { return code_; }

private:
    int code_;
};

// Runs `work`; an archiver error of type `Caught` escaping it ends the command
// with `resultCode`, its text prefixed by `context`.
template <typename Caught = Error, typename Work>
decltype(auto) endingWith(int resultCode, const std::string& context, Work&& work) {
    try {
        return work();
    } catch (const CommandError&) {
        throw;
    } catch (const Caught& e) {
        throw CommandError(resultCode, context + ": " + e.what());
    }
}

}  // namespace unlha
