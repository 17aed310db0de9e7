// Sending the composed mail ("送　信") and saving it as unsent mail ("未送信メールとして保存").
#pragma once

namespace tv::compose {

void BUTTON27_ON();
void BUTTON79_ON();

}  // namespace tv::compose
