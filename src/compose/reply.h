// Replying to the sender of a received mail, from the receive box (BUTTON32_ON), the trash
// (GOMIBAKO_HENSIN) or a user folder (FORDA_HENSIN): one procedure over a table of members.
#pragma once

namespace tv::compose {

void BUTTON32_ON();
void GOMIBAKO_HENSIN();
void FORDA_HENSIN();

}  // namespace tv::compose
