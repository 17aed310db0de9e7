// The attachments of the composed mail: the hidden list LIST12 of full paths, the buttons that
// add one ("添付ファイル") or clear them ("キャンセル"), and the attachment line EDIT13.
#pragma once

#include <string>
#include <vector>

namespace tv::compose {

inline constexpr const char* kLastAttachmentFolder = "SYSTEM_F\\BASYO";

void BUTTON33_ON();
void BUTTON29_ON();

// The file names of the paths joined by ",", then the size text of their total size; empty for
// no path. A path that names no file adds nothing to the total.
std::string attachment_line(const std::vector<std::string>& paths);

}  // namespace tv::compose
