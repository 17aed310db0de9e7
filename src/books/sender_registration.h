// Registering the sender of a selected received mail in one of the four books, from the receive
// list of the main window or from the received-mail list of the trash or folder window. The eight
// handlers are rows of one table over one routine.
#pragma once

#include <vector>

#include "platform/events.h"

namespace tv::books {

// BUTTON10_ON, BUTTON34_ON, YUUSENTEKI_TORO, BUTTON49_ON, GOMI_KYOHI, GOMI_YUUSEN, GOMI_TOKUTEI,
// ADO_TOUROKU_GOMI_F.
std::vector<platform::NamedHandler> registration_handlers();

}  // namespace tv::books
