#include "platform/qt/qt_printer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "platform/qt/qt_view.h"

namespace tv::platform::qt {

namespace {

// Margins small enough that the longest page the program prints (65 rows of 12 points) fits on
// A4 and large enough for the printers' unprintable edges.
constexpr double kMarginMm = 10;

QPageLayout a4_portrait() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

}  // namespace

struct QtPrinter::Job {
    QPrinter printer{QPrinter::HighResolution};
    QPainter painter;
    bool ready = false;    // the choice lets the document reach the printer
    bool printing = false;  // a document is open
    QFont font;
    double row_height = 0;  // one em, in device pixels
    int row = 0;            // the next row on the page
};

QtPrinter::QtPrinter(QtView& view) : view_(view) {}

QtPrinter::~QtPrinter() {
    if (job_ && job_->printing) job_->painter.end();
}

PrintChoice QtPrinter::choose(const std::string& owner) {
    if (job_ && job_->printing) job_->painter.end();
    job_ = std::make_unique<Job>();
    QPrinter& printer = job_->printer;
    printer.setPageLayout(a4_portrait());
    if (!pdf_path_.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf_path_));
        if (pdf_layout_) printer.setPageLayout(*pdf_layout_);
        job_->ready = true;
        return PrintChoice::Print;
    }
    if (QPrinterInfo::availablePrinters().isEmpty()) return PrintChoice::Failed;
    printer.setPrinterName(QPrinterInfo::defaultPrinter().printerName());
    QPrintDialog dialog(&printer, view_.dialog_parent(owner));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (view_.exec_modal(dialog) != QDialog::Accepted) return PrintChoice::Cancelled;
    // The paper and orientation chosen in the dialog stay: the job lays its rows out by room().
    job_->ready = true;
    return PrintChoice::Print;
}

bool QtPrinter::start_document(const std::string& name) {
    if (!job_ || !job_->ready || job_->printing) return false;
    job_->printer.setDocName(to_qstring(name));
    if (!job_->painter.begin(&job_->printer)) return false;
    job_->printing = true;
    job_->row = 0;
    job_->painter.setPen(Qt::black);
    // Text wider than the page ends at the printable area's right edge.
    QRectF page = job_->printer.pageRect(QPrinter::DevicePixel);
    job_->painter.setClipRect(QRectF(0, 0, page.width(), page.height()));
    return true;
}

void QtPrinter::set_font(const std::string& face, double points) {
    if (!job_ || !job_->printing) return;
    QFont font(font_family(face));
    font.setPointSizeF(points);
    job_->font = QFont(font, &job_->printer);
    job_->painter.setFont(job_->font);
    job_->row_height = points * job_->printer.resolution() / 72.0;
}

PageRoom QtPrinter::room() {
    if (!job_ || !job_->printing) return {};
    Job& job = *job_;
    QFontMetricsF metrics(job.painter.font(), &job.printer);
    // The widest half-width character: no row the job lays out runs past the right edge.
    double half = std::max({metrics.horizontalAdvance(QLatin1Char(' ')), metrics.horizontalAdvance(QLatin1Char('M')),
                            metrics.horizontalAdvance(QChar(0x3000)) / 2});
    double row = job.row_height > 0 ? job.row_height : metrics.height();
    QRectF page = job.printer.pageRect(QPrinter::DevicePixel);
    if (half <= 0 || row <= 0) return {};
    return {static_cast<int>(page.width() / half), static_cast<int>(page.height() / row)};
}

void QtPrinter::print_row(const std::string& text) {
    if (!job_ || !job_->printing) return;
    Job& job = *job_;
    QFontMetricsF metrics(job.painter.font(), &job.printer);
    if (job.row_height <= 0) job.row_height = metrics.height();
    double x = 0;
    // An LF goes on in the next row from where the text before it ended.
    for (const QString& piece : to_qstring(text).split(u'\n')) {
        double baseline = job.row * job.row_height + metrics.ascent();
        job.painter.drawText(QPointF(x, baseline), piece);
        x += metrics.horizontalAdvance(piece);
        ++job.row;
    }
}

void QtPrinter::new_page() {
    if (!job_ || !job_->printing) return;
    job_->printer.newPage();
    job_->row = 0;
}

void QtPrinter::end_document() {
    if (!job_) return;
    if (job_->printing) job_->painter.end();
    job_.reset();
}

}  // namespace tv::platform::qt
