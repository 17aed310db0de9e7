// The dialogs for people: the input box, the file dialogs and the folder browser, as Qt dialogs
// over their owner's window, or over the window kept on top when one shows.
#pragma once

#include "platform/services.h"

namespace tv::platform::qt {

class QtView;

class QtDialogs : public DialogService {
public:
    explicit QtDialogs(QtView& view) : view_(view) {}
    std::string input_box(const InputBoxRequest& request) override;
    DialogAnswer open_file(const FileDialogRequest& request) override;
    DialogAnswer save_file(const FileDialogRequest& request) override;
    DialogAnswer browse_folder(const std::string& owner) override;

private:
    QtView& view_;
};

}  // namespace tv::platform::qt
