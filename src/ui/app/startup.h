#pragma once

namespace pelto::ui {

// The program entry: the one-shot home-page mode, the hand-over to a running copy, or the
// normal start that runs the main window until the program ends.
int RunPeltoBrowser(int argc, char** argv);

}  // namespace pelto::ui
