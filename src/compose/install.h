// Compose and reply: the compose window, the destination picker and unsent-mail list, the replies.
#pragma once

namespace tv::compose {

void install();

}  // namespace tv::compose
