// The answering mode's windows and handlers.
#pragma once

namespace tv::answering {

void install();

}  // namespace tv::answering
