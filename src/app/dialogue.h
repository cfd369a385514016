#pragma once

#include <iosfwd>
#include <optional>

// The answers of the start-up dialogue.
struct Answers {
    int x1 = 0;
    int y1 = 0;
    bool inertia = false;
    int DotNum = 0;
};

// Writes the key guide: four lines and an empty one.
void writeKeyGuide(std::ostream& out);

// Asks the three start-up questions. Answers that are out of range or cannot be read are read
// again silently; nothing when the input ends before all three are answered.
std::optional<Answers> holdDialogue(std::istream& in, std::ostream& out);
