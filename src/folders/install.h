// The trash and folders' windows and handlers.
#pragma once

namespace tv::folders {

void install();

}  // namespace tv::folders
