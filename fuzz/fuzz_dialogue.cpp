// Feeds arbitrary bytes to the start-up dialogue as if typed at the console. Whatever comes in,
// the dialogue must end, without reading out of bounds, and any answers it gives must be usable.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include "app/dialogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    const std::optional<Answers> answers = holdDialogue(in, out);
    if (answers && (answers->DotNum < 0 || answers->DotNum > 12)) {
        __builtin_trap();
    }
    return 0;
}
