// The main window's "メールの作成": opens the compose window for a new mail.
#pragma once

namespace tv::shell {

void BUTTON1_ON();

}  // namespace tv::shell
