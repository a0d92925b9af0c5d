#include "unlha/command/Run.h"

#include <exception>

#include "unlha/command/CommandError.h"
#include "unlha/command/Operations.h"
#include "unlha/command/ResultCode.h"

namespace unlha {

int runCommand(const std::vector<std::string>& words, Log& log) {
    try {
        const Command command = parseCommand(words);
        const Progress progress(command.progress);
        switch (command.verb) {
            case Verb::Add:
            case Verb::Update: return pack(command, log, progress);
            case Verb::Extract: return extract(command, log, progress);
            case Verb::List: return list(command, log);
            case Verb::Test: return test(command, log, progress);
        }
        return result::InternalError;
    } catch (const CommandError& e) {
        log.error(e.what());
        return e.code();
    } catch (const std::exception& e) {
        log.error(e.what());
        return result::InternalError;
    } catch (...) {
        log.error("unexpected failure");
        return result::InternalError;
    }
}

}  // namespace unlha
