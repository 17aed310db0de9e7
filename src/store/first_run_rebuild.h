#pragma once

namespace tv::store {

// At start: every store that holds mail but no record gets one record per mail.
void FIRST_RUN_REBUILD();

}  // namespace tv::store
