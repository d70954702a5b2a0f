#pragma once
// The plain text of a single-precision value, as the read-out boxes show a pointer position:
// the shortest decimal form that reads back as the same float, at most seven significant
// digits, a minus sign when negative and no leading blank ("35", "-12", "0.5", "-37.25").

#include <string>

std::string plainNumberText(float value);
