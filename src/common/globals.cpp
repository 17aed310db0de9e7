#include "common/globals.h"

namespace tv {

Globals& globals() {
    static Globals state;
    return state;
}

void reset_globals() { globals() = Globals{}; }

}  // namespace tv
