#include "folders/install.h"

#include "folders/folder_window.h"
#include "folders/folder_windows.h"
#include "folders/main_moves.h"
#include "folders/trash_window.h"
#include "folders/window_deletes.h"
#include "folders/window_returns.h"
#include "folders/window_steps.h"
#include "platform/events.h"
#include "platform/forms.h"

namespace tv::folders {

void install() {
    define_folder_windows();
    platform::install_handlers({
        {"BUTTON11_ON", BUTTON11_ON},
        {"BUTTON12_ON", BUTTON12_ON},
        {"SAKUJO", SAKUJO},
        {"IDOU", IDOU},
        {"GOMINAKO_ON", GOMINAKO_ON},
        {"BUTTON80_ON", BUTTON80_ON},
        {"FORM8_START", FORM8_START},
        {"FORM8_QUERYCLOSE", FORM8_QUERYCLOSE},
        {"FORM16_START", FORM16_START},
        {"FORM16_QUERYCLOSE", FORM16_QUERYCLOSE},
        {"SAKUJO_G", SAKUJO_G},
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
    });
    platform::install_handlers(folder_move_handlers());
    platform::install_handlers(folder_menu_handlers());
}

}  // namespace tv::folders
