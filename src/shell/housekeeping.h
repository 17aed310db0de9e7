// The data folder tree and the start-up housekeeping.
#pragma once

namespace tv::shell {

// Creates every missing folder of the tree, in order.
void create_folder_tree();
// Deletes the temporary files of whole-file writes that a kill stopped, in every folder of the tree.
// Runs before any transfer or parse can write there.
void remove_atomic_write_leftovers();
// Copies the shipped settings seed when the settings file is missing (and the seed exists).
void seed_settings_file();

}  // namespace tv::shell
