#include "folders/install.h"

#include "common/globals.h"
#include "folders/folder_window.h"
#include "folders/folder_windows.h"
#include "folders/mail_out_actions.h"
#include "folders/main_moves.h"
#include "folders/trash_window.h"
#include "folders/window_deletes.h"
#include "folders/window_moves.h"
#include "folders/window_returns.h"
#include "folders/window_steps.h"
#include "folders/window_switching.h"
#include "platform/events.h"
#include "platform/forms.h"

namespace tv::folders {

namespace pf = tv::platform;

void install() {
    define_folder_windows();
    // Whoever closes the trash or folder window (its user, its buttons, the compose window), the
    // other windows no longer act on its lists.
    pf::forms().on_unload("FORM8", [] { globals().TRASH_WINDOW_OPEN = 0; });
    pf::forms().on_unload("FORM16", [] { globals().FOLDER_WINDOW_OPEN = 0; });
    pf::install_handlers({
        {"BUTTON11_ON", BUTTON11_ON},
        {"BUTTON12_ON", BUTTON12_ON},
        {"SAKUJO", SAKUJO},
        {"IDOU", IDOU},
        {"GOMINAKO_ON", GOMINAKO_ON},
        {"BUTTON80_ON", BUTTON80_ON},
        {"FORM8_START", FORM8_START},
        {"FORM8_QUERYCLOSE", FORM8_QUERYCLOSE},
        {"FORM8_RESIZE", [] {}},
        {"FORM16_START", FORM16_START},
        {"FORM16_QUERYCLOSE", FORM16_QUERYCLOSE},
        {"FORM16_RESIZE", [] {}},
        {"SAKUJO_G", SAKUJO_G},
        {"SAKUJO_FOR", SAKUJO_FOR},
        {"BUTTON70_ON", BUTTON70_ON},
        {"BUTTON71_ON", BUTTON71_ON},
        {"GOMI_F_SYOUSAI", GOMI_F_SYOUSAI},
        window_input("FORM8", "LIST10_CLICK", LIST10_CLICK),
        window_input("FORM8", "LIST11_CLICK", LIST11_CLICK),
        window_input("FORM8", "LIST10_DBLCLICK", LIST10_DBLCLICK),
        window_input("FORM8", "LIST11_DBLCLICK", LIST11_DBLCLICK),
        window_input("FORM8", "BUTTON14_ON", BUTTON14_ON),
        window_input("FORM8", "BUTTON15_ON", BUTTON15_ON),
        window_input("FORM8", "BUTTON16_ON", BUTTON16_ON),
        window_input("FORM8", "BUTTON17_ON", BUTTON17_ON),
        window_input("FORM8", "BUTTON18_ON", BUTTON18_ON),
        window_input("FORM8", "BUTTON19_ON", BUTTON19_ON),
        window_input("FORM8", "CHECK8_ON", CHECK8_ON),
        window_input("FORM16", "LIST27_CLICK", LIST27_CLICK),
        window_input("FORM16", "LIST28_CLICK", LIST28_CLICK),
        window_input("FORM16", "LIST27_DBLCLICK", LIST27_DBLCLICK),
        window_input("FORM16", "LIST28_DBLCLICK", LIST28_DBLCLICK),
        window_input("FORM16", "BUTTON54_ON", BUTTON54_ON),
        window_input("FORM16", "BUTTON55_ON", BUTTON55_ON),
        window_input("FORM16", "BUTTON56_ON", BUTTON56_ON),
        window_input("FORM16", "BUTTON57_ON", BUTTON57_ON),
        window_input("FORM16", "BUTTON58_ON", BUTTON58_ON),
        window_input("FORM16", "BUTTON59_ON", BUTTON59_ON),
        window_input("FORM16", "BUTTON60_ON", BUTTON60_ON),
        window_input("FORM16", "BUTTON61_ON", BUTTON61_ON),
        window_input("FORM16", "CHECK9_ON", CHECK9_ON),
    });
    pf::install_handlers(folder_move_handlers());
    pf::install_handlers(folder_menu_handlers());
    pf::install_handlers(window_switching_handlers());
    pf::install_handlers(window_move_handlers());
}

}  // namespace tv::folders
