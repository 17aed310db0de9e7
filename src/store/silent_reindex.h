#pragma once

namespace tv::store {

// Rebuilds the receive box's records, list and cache without a word to the user. A runtime error
// ends it quietly, with the main window left disabled.
void D_SAIK_AOUTO();

}  // namespace tv::store
