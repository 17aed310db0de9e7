// The mail viewer: its windows FORM3 and FORM2 and its handlers.
#pragma once

namespace tv::viewer {

void install();

}  // namespace tv::viewer
