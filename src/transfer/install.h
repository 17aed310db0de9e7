// The transfer's windows and handlers.
#pragma once

namespace tv::transfer {

void install();

}  // namespace tv::transfer
