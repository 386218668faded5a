#pragma once
// The three power choices of the panel, kept in the profile as "pow1" to
// "pow3". A stored index outside the list leaves its box without a selection
// (index -1), and the engine then leaves the box's value label empty.
#include <array>

namespace relvo7::panel::ui {

using PowerChoices = std::array<int, 3>;

// The index a box shows for a stored value: itself when 0..14, else -1.
int restoredPowerChoice(int stored);

// Reads "pow1".."pow3" (missing = 0) from the profile.
PowerChoices loadPowerChoices();
// Writes the three selections (as they stand, -1 included); false when the
// profile did not take them.
bool savePowerChoices(const PowerChoices& choices);

} // namespace relvo7::panel::ui
