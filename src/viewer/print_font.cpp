#include "viewer/print_font.h"

#include "common/flag_files.h"
#include "common/paths.h"
#include "common/text_file.h"

namespace tv::viewer {

std::string read_print_font_size() {
    if (!files::file_exists(kPrintFontFile)) files::write_bytes(kPrintFontFile, "");
    auto record = files::read_record(kPrintFontFile, kFlagRecordLength, 1);
    if (!record || record->empty()) return "8";
    return record->substr(0, kFlagFieldWidth);
}

void write_print_font_size(const std::string& size) { write_flag_record(kPrintFontFile, size); }

}  // namespace tv::viewer
