// The address book's import: the address book replaced by the entries of the CSV file or of the
// vCard files of a folder the user chooses.
#pragma once

namespace tv::books {

void BUTTON8_ON();

}  // namespace tv::books
