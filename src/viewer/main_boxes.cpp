#include "viewer/main_boxes.h"

#include "store/mail_stores.h"
#include "store/receive_list.h"

namespace tv::viewer {

platform::Control& box_list(const MainBox& box) {
    return box.received ? store::receive_list() : platform::form("MAINFORM").control("LIST1");
}

std::string box_file_name(const MainBox& box, int row) {
    return store::listed_name(store::work_list(box.file_list), row + 1);
}

}  // namespace tv::viewer
