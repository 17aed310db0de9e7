// Printing for people through QPrinter: the print dialog on the default printer (A4 portrait
// preset, the paper chosen there used), and rows of text one font height apart.
#pragma once

#include <QPageLayout>
#include <memory>
#include <optional>
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
    PageRoom room() override;
    void print_row(const std::string& text) override;
    void new_page() override;
    void end_document() override;

    // The next documents go into this PDF file (a disk path) without a dialog, on the paper
    // `layout` as if chosen in it (none: the preset); an empty path: the dialog.
    void print_to_pdf(const std::string& disk_path, std::optional<QPageLayout> layout = std::nullopt) {
        pdf_path_ = disk_path;
        pdf_layout_ = std::move(layout);
    }

private:
    struct Job;
    QtView& view_;
    std::string pdf_path_;
    std::optional<QPageLayout> pdf_layout_;
    std::unique_ptr<Job> job_;
};

}  // namespace tv::platform::qt
