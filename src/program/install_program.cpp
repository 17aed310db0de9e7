#include "program/install_program.h"

#include "answering/install.h"
#include "books/install.h"
#include "compose/install.h"
#include "folders/install.h"
#include "shell/install.h"
#include "store/install.h"
#include "transfer/install.h"
#include "viewer/install.h"

namespace tv {

void install_program() {
    // Lowest layer first; the subsystems of one layer in any order.
    store::install();
    transfer::install();
    answering::install();
    books::install();
    folders::install();
    viewer::install();
    compose::install();
    shell::install();
}

}  // namespace tv
