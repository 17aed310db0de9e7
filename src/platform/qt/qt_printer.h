// Printing for people through QPrinter: the print dialog on the default printer, A4 portrait, and
// rows of text one font height apart.
#pragma once

#include <memory>
#include <string>

#include "platform/services.h"

namespace tv::platform::qt {

class QtView;

class QtPrinter : public PrinterService {
public:
    explicit QtPrinter(QtView& view);
    ~QtPrinter() override;
    PrintChoice choose(const std::string& owner) override;
    bool start_document(const std::string& name) override;
    void set_font(const std::string& face, double points) override;
    void print_row(const std::string& text) override;
    void new_page() override;
    void end_document() override;

    // The next documents go into this PDF file (a disk path) without a dialog; empty: the dialog.
    void print_to_pdf(const std::string& disk_path) { pdf_path_ = disk_path; }

private:
    struct Job;
    QtView& view_;
    std::string pdf_path_;
    std::unique_ptr<Job> job_;
};

}  // namespace tv::platform::qt
