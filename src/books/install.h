// The address books' windows and handlers.
#pragma once

namespace tv::books {

void install();

}  // namespace tv::books
