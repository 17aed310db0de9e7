#include "shell/popup_menus.h"

namespace tv::shell {

namespace {

// The receive list's menu.
constexpr PopupMenuItem kMenu3[] = {
    {"HIRAKU_P_JUSIN", "開く", -1, "HIRAKU_ON", ""},
    {"HENSIN_P_JUSIN", "差出人に返信", -1, "BUTTON32_ON", ""},
    {"ADO_P_JUSIN", "アドレス帳に登録", -1, "BUTTON10_ON", ""},
    {"WINMAIL_P_JUSIN", "メールソフトから開く", -1, "BUTTON24_ON", ""},
    {"SYOUSAI_P_JUSIN", "詳細", -1, "BUTTON4_ON", ""},
    {"HOZON_P_JUSIN", "名前を付けて保存", -1, "HOZON_ON", ""},
    {"KYOHI", "転送(返信)拒否アドレス帳に登録", -1, "BUTTON34_ON", ""},
    {"YUUSEN_TOUROKU", "優先的返信拒否アドレス帳に登録", -1, "YUUSENTEKI_TORO", ""},
    {"TOKUTEI_SASI", "特定差出人アドレス帳に登録", -1, "BUTTON49_ON", ""},
    {"IDO_JU_JOB", "ＪＯＢフォルダへ移動", 1, "BUTTON62_ON", ""},
    {"IDO_JU_PRIVATE", "ＰＲＩＶＡＴＥフォルダへ移動", 2, "BUTTON64_ON", ""},
    {"IDO_JU_HOBBY", "ＨＯＢＢＹフォルダへ移動", 3, "BUTTON66_ON", ""},
    {"IDO_JU_ANOTHER", "その他フォルダへ移動", 4, "BUTTON68_ON", ""},
    {"SAKUJO_P_JUSIN", "ごみ箱へ移動(Delete･keyでも移動可：確認ダイアログなし)", 0, "BUTTON11_ON", ""},
};

// The send list's menu.
constexpr PopupMenuItem kMenu2[] = {
    {"HIRAKU_P_SOUSIN", "開く", -1, "HIRAKU_ON", ""},
    {"WINMAIL_P_SOUSIN", "メールソフトから開く", -1, "BUTTON25_ON", ""},
    {"HOZON_P_SOUSIN", "名前を付けて保存", -1, "HOZON_ON", ""},
    {"IDO_SO_JOB", "ＪＯＢフォルダへ移動", 1, "BUTTON63_ON", ""},
    {"IDO_SO_PRIVATE", "ＰＲＩＶＡＴＥフォルダへ移動", 2, "BUTTON65_ON", ""},
    {"IDO_SO_HOBBY", "ＨＯＢＢＹフォルダへ移動", 3, "BUTTON67_ON", ""},
    {"IDO_SO_ANOTHER", "その他フォルダへ移動", 4, "BUTTON69_ON", ""},
    {"SAKUJO_P_SOUSIN", "ごみ箱へ移動(Delete･keyでも移動可：確認ダイアログなし)", 0, "BUTTON12_ON", ""},
};

// Received mail of the trash and of a folder.
constexpr PopupMenuItem kMenu4[] = {
    {"HIRAKU_G_JUSIN", "開く", -1, "LIST10_DBLCLICK", "LIST27_DBLCLICK"},
    {"SASIDA_HEN", "差出人に返信", -1, "GOMIBAKO_HENSIN", "FORDA_HENSIN"},
    {"ADO_GOMI_F", "アドレス帳に登録", -1, "ADO_TOUROKU_GOMI_F", "ADO_TOUROKU_GOMI_F"},
    {"WIN_HIRAKU", "メールソフトから開く", -1, "BUTTON70_ON", "BUTTON71_ON"},
    {"MODOSU_G_JUSIN", "受信ボックスに戻す", -1, "BUTTON16_ON", "BUTTON54_ON"},
    {"SYOUSAI_GOMI_FOR", "詳細", -1, "GOMI_F_SYOUSAI", "GOMI_F_SYOUSAI"},
    {"KYOHI_GOMI", "転送(返信)拒否アドレス帳に登録", -1, "GOMI_KYOHI", "GOMI_KYOHI"},
    {"YUUSEN_GOMI", "優先的返信拒否アドレス帳に登録", -1, "GOMI_YUUSEN", "GOMI_YUUSEN"},
    {"TOKUTEI_GOMI", "特定差出人アドレス帳に登録", -1, "GOMI_TOKUTEI", "GOMI_TOKUTEI"},
    {"JOB_IDOU_JU", "ＪＯＢフォルダへ移動", 1, "JOB_IDOU_JUSIN", "JOB_IDOU_JUSIN"},
    {"PRIV_IDOU_JU", "ＰＲＩＶＡＴＥフォルダへ移動", 2, "PRIV_IDOU_JUSIN", "PRIV_IDOU_JUSIN"},
    {"HOBB_IDOU_JU", "ＨＯＢＢＹフォルダへ移動", 3, "HOBB_IDOU_JUSIN", "HOBB_IDOU_JUSIN"},
    {"ANOTH_IDOU_JU", "その他フォルダへ移動", 4, "ANOTH_IDOU_JUSIN", "ANOTH_IDOU_JUSIN"},
    {"GOMI_IDOU_JU", "ごみ箱へ移動", 0, "", "GOMIBAKO_IDOU_JU"},
    {"HOZON_G_JUSIN", "名前を付けて保存", -1, "BUTTON20_ON", "BUTTON57_ON"},
    {"SAKUJO_G_JUSIN", "削除", -1, "BUTTON14_ON", "BUTTON55_ON"},
};

// Sent mail of the trash and of a folder.
constexpr PopupMenuItem kMenu5[] = {
    {"HIRAKU_G_SOUSIN", "開く", -1, "LIST11_DBLCLICK", "LIST28_DBLCLICK"},
    {"HIRAKU_WIN", "メールソフトから開く", -1, "BUTTON70_ON", "BUTTON71_ON"},
    {"MODOSU_G_SOUSIN", "送信ボックスに戻す", -1, "BUTTON17_ON", "BUTTON58_ON"},
    {"JOB_IDOU_SOU", "ＪＯＢフォルダへ移動", 1, "JOB_IDOU_SOUSIN", "JOB_IDOU_SOUSIN"},
    {"PRIV_IDOU_SOU", "ＰＲＩＶＡＴＥフォルダへ移動", 2, "PRIV_IDOU_SOUSIN", "PRIV_IDOU_SOUSIN"},
    {"HOBB_IDOU_SOU", "ＨＯＢＢＹフォルダへ移動", 3, "HOBB_IDOU_SOUSIN", "HOBB_IDOU_SOUSIN"},
    {"ANOTH_IDOU_SOU", "その他フォルダへ移動", 4, "ANOTH_IDOU_SOUSIN", "ANOTH_IDOU_SOUSIN"},
    {"GOMI_IDOU_SOU", "ごみ箱へ移動", 0, "", "GOMIBAKO_IDOU_SOU"},
    {"HOZON_G_SOUSIN", "名前を付けて保存", -1, "BUTTON21_ON", "BUTTON61_ON"},
    {"SAKUJO_G_SOUSIN", "削除", -1, "BUTTON15_ON", "BUTTON59_ON"},
};

const PopupMenuDefinition kMenu2Definition{"MENU2", "DUMMY", kMenu2};
const PopupMenuDefinition kMenu3Definition{"MENU3", "DUMMY2", kMenu3};
const PopupMenuDefinition kMenu4Definition{"MENU4", "DUMMY3", kMenu4};
const PopupMenuDefinition kMenu5Definition{"MENU5", "DUMMY4", kMenu5};

const ListPopup kListPopups[] = {
    {"MAINFORM", "LIST3", "LIST1", 18.5, &kMenu3Definition, PopupWindow::Main},
    {"MAINFORM", "LIST1", "LIST3", 15.5, &kMenu2Definition, PopupWindow::Main},
    {"FORM8", "LIST10", "LIST11", 20.5, &kMenu4Definition, PopupWindow::Trash},
    {"FORM8", "LIST11", "LIST10", 16.5, &kMenu5Definition, PopupWindow::Trash},
    {"FORM16", "LIST27", "LIST28", 20.5, &kMenu4Definition, PopupWindow::Folder},
    {"FORM16", "LIST28", "LIST27", 15.5, &kMenu5Definition, PopupWindow::Folder},
};

}  // namespace

const PopupMenuDefinition& MENU2() { return kMenu2Definition; }
const PopupMenuDefinition& MENU3() { return kMenu3Definition; }
const PopupMenuDefinition& MENU4() { return kMenu4Definition; }
const PopupMenuDefinition& MENU5() { return kMenu5Definition; }

std::span<const ListPopup> list_popups() { return kListPopups; }

const char* item_procedure(const PopupMenuItem& item, PopupWindow kind) {
    return kind == PopupWindow::Folder ? item.folder_procedure : item.procedure;
}

}  // namespace tv::shell
