// The store's windows and handlers.
#pragma once

namespace tv::store {

void install();

}  // namespace tv::store
