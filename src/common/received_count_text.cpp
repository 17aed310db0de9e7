#include "common/received_count_text.h"

#include "common/sjis.h"

namespace tv {

using namespace tv::literals;

std::string received_count_text(std::size_t count) {
    return count == 0 ? "新着メールはありませんでした。"_sj : std::to_string(count) + "通のメールを受信しました。"_sj;
}

}  // namespace tv
