// The four option items of the File menu: each switches its option, its check mark and its file.
#pragma once

namespace tv::shell {

void SERV_ON();   // leave received mail on the mail server (SYSTEM_F\serv_del)
void SINAI_ON();  // move to the trash without asking (SYSTEM_F\GOMI_I)
void KARA_ON();   // empty the trash at exit (SYSTEM_F\GOMI_K)
void SOUND_ON();  // sound after a manual receive (SYSTEM_F\SOUND_K)

}  // namespace tv::shell
