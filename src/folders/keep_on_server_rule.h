// While mail stays on the server, received mail may leave the receive box only from its newest
// (last) row: an older one would be fetched again and get a second copy.
#pragma once

namespace tv::folders {

// True, after the "SORRY!!" message, when the option is on and `row` of LIST3 is not its last.
bool keep_on_server_refuses(int row);

}  // namespace tv::folders
