// Enter in a one-line box that receives it as CR LF (a multi-line edit one line high).
#pragma once

#include "platform/forms.h"

namespace tv::platform {

// When the box's text holds CR LF: the first CR LF is taken out, the rest trimmed (and its ASCII
// letters lower-cased when asked) and put back. False, and the box untouched, without one.
bool take_enter(Control& box, bool lower_case = false);

}  // namespace tv::platform
