#pragma once

#include <array>

// The kinds of object the palette offers, in the order a click on the
// surface serves its pressed buttons.
namespace PaletteKinds {

// A category key: its id is chosen when it is made.
inline constexpr int CategoryKey = 1000;

struct Entry {
    const char *name;    // the palette button's name
    const char *caption; // its caption
    int kind;            // the object id it creates, or CategoryKey
};

const std::array<Entry, 21> &entries();

} // namespace PaletteKinds
