#include "folders/install.h"

#include "folders/trash_move.h"
#include "platform/events.h"

namespace tv::folders {

void install() {
    platform::install_handlers({
        {"BUTTON11_ON", BUTTON11_ON},
        {"BUTTON12_ON", BUTTON12_ON},
        {"SAKUJO", SAKUJO},
    });
}

}  // namespace tv::folders
