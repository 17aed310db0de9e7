// The attachment list LIST4 of the viewer: its items, and saving or opening the selected one.
#pragma once

#include <string>
#include <string_view>

namespace tv::viewer {

inline constexpr const char* kAttachmentFolder = "TENPFIL";

// An item: the name, one blank and the size text of the file at `path` (empty when there is no
// file there, or no path).
std::string attachment_item(const std::string& name, const std::string& path);

// The file of a received mail's attachment: TENPFIL, "\" and the name; empty when the name would
// lead out of TENPFIL (a folder part, "." or "..").
std::string received_attachment_path(std::string_view name);

// The file name an item stands for: the text before the blank of its last " (", trimmed; the whole
// trimmed item when it has no "(".
std::string attachment_name(std::string_view item);

void BUTTON22_ON();
void BUTTON23_ON();
void LIST4_DBLCLICK();

}  // namespace tv::viewer
