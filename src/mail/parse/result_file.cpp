#include "mail/parse/result_file.h"

#include "common/paths.h"
#include "common/text_file.h"

namespace tv::mail {

void replace_file(std::string_view path, const std::vector<std::string>& lines) {
    auto [folder, name] = files::split_folder_name(path);
    if (!folder.empty()) files::make_folder(folder);
    files::write_lines_atomic(path, lines, 0644, files::Durability::Transient);
}

}  // namespace tv::mail
