#include "store/folder_places.h"

#include <array>

#include "common/sjis.h"

namespace tv::store {

namespace {

constexpr FolderWindowLists kTrashWindow{"FORM8", "LIST8", "LIST35", "LIST9", "LIST10", "LIST11"};
constexpr FolderWindowLists kFolderWindow{"FORM16", "LIST25", "LIST36", "LIST26", "LIST27", "LIST28"};

constexpr std::array<FolderPlace, 5> kPlaces{{
    {0, "ごみ箱", kTrashWindow},
    {1, "ＪＯＢフォルダ", kFolderWindow},
    {2, "ＰＲＩＶＡＴＥフォルダ", kFolderWindow},
    {3, "ＨＯＢＢＹフォルダ", kFolderWindow},
    {4, "その他フォルダ", kFolderWindow},
}};

}  // namespace

const FolderPlace& folder_place(int folder_no) {
    return folder_no >= 1 && folder_no <= 4 ? kPlaces[static_cast<std::size_t>(folder_no)] : kPlaces[0];
}

const std::string& display_name(const FolderPlace& place) { return sj(place.display_name); }

}  // namespace tv::store
