#pragma once
// The tips file "Assist.dat" of the language folder: line 1 holds the number of tips, then one
// tip per line (tip n on line n + 2); a backslash and "n" inside a tip stand for a line break.
#include <functional>
#include <string>

namespace tav {

// The number of tips from line 1 (0 to 65535); false when the file cannot be opened.
bool ReadTipCount(const std::string& path, int& count);

// The text of tip `tip` with its line breaks as CR LF, at most 998 characters of its line.
// False (text untouched) when the file cannot be opened or the tip lies at or past `count` or
// past the file's end.
bool ReadTipText(const std::string& path, int tip, int count, std::string& text);

// A random tip other than `current` drawn with `random`, among the tips `shipped` accepts (all
// when it is empty); the current tip itself when it is the only one, -1 when there is none.
// An empty tip line is a tip the program does not ship yet (what it tells of is not built).
int PickRandomTip(int count, int current, const std::function<int()>& random,
                  const std::function<bool(int)>& shipped = {});

}  // namespace tav
