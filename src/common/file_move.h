// Moving a file to a free name, never over another file.
#pragma once

#include <string_view>

namespace tv::files {

// Moves `from` to `to`, a name that must be free: a file already there is never replaced (the move
// raises error 64 instead); after any failure `from` is where it was. Within one file system the
// move is one atomic rename; across file systems the file is first copied beside its new name under
// a hidden name, so the new name never shows half a file.
void move_file(std::string_view from, std::string_view to);

// Ends a move that a kill may have stopped at any point, as the next start does: the file ends at
// `to` (a copy already there that equals `from` stands for it) and no hidden copy is left. False
// when it could not be finished; what is there then stays.
bool finish_move(std::string_view from, std::string_view to);

}  // namespace tv::files
