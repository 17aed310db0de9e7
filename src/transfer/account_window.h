// The account window FORM4: shows and edits the ten account values.
#pragma once

namespace tv::transfer {

// Defines FORM4 and registers its handlers and the menu item KANKYOYU that opens it.
void define_account_window();

}  // namespace tv::transfer
