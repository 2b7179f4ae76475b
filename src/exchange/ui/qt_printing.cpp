#include "exchange/ui/qt_printing.h"

#include <QFileDialog>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/file_dialog_filter.h"

namespace tav {

std::function<std::string(const std::string&)> QtPrintDevice::pdfFileForTest;

QPrinter& CurrentPrinter() {
  static QPrinter* printer = [] {
    auto* p = new QPrinter(QPrinter::HighResolution);
    if (QPrinterInfo::defaultPrinter().isNull()) {
      // No printer on this system: the pages go to a PDF file; the whole sheet is printable.
      p->setOutputFormat(QPrinter::PdfFormat);
      p->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }
    return p;
  }();
  return *printer;
}

bool RunPrinterSetup(QWidget* parent) {
  QPageSetupDialog dialog(&CurrentPrinter(), parent);
  return dialog.exec() == QDialog::Accepted;
}

void PrinterPageDots(int& width, int& height) {
  QPrinter& printer = CurrentPrinter();
  const int dpi = printer.resolution() > 0 ? printer.resolution() : kLayoutDpi;
  const QRect page = printer.pageLayout().paintRectPixels(dpi);
  width = static_cast<int>(static_cast<long long>(page.width()) * kLayoutDpi / dpi);
  height = static_cast<int>(static_cast<long long>(page.height()) * kLayoutDpi / dpi);
}

QFont LayoutFont(int style, double pixels) {
  QFont font;
  font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, qRound(pixels)));
  font.setBold((style & kFontBold) != 0);
  font.setItalic((style & kFontItalic) != 0);
  font.setUnderline((style & kFontUnderline) != 0);
  font.setKerning(false);  // widths as the metric-compatible font gives them, letter by letter
  return font;
}

QtPrintCanvas::QtPrintCanvas(QPainter& painter, double factor, double offsetX, double offsetY)
    : painter_(painter), factor_(factor), offsetX_(offsetX), offsetY_(offsetY) {}

void QtPrintCanvas::SetFont(int, int style, int height) {
  const QFont font = LayoutFont(style, height * factor_);
  painter_.setFont(font);
  ascent_ = QFontMetricsF(font, painter_.device()).ascent();
}

void QtPrintCanvas::TextOut(int x, int y, const std::string& text) {
  QString q = toQ(text);
  q.replace(QLatin1Char('\t'), QLatin1Char(' '));
  painter_.drawText(QPointF(offsetX_ + x * factor_, offsetY_ + y * factor_ + ascent_), q);
}

QtPrintDevice::QtPrintDevice(QWidget* parent) : parent_(parent) {}

QtPrintDevice::~QtPrintDevice() {
  if (painter_ && painter_->isActive()) painter_->end();
}

int QtPrintDevice::PageWidth() const {
  int w = 0, h = 0;
  PrinterPageDots(w, h);
  return w;
}

int QtPrintDevice::PageHeight() const {
  int w = 0, h = 0;
  PrinterPageDots(w, h);
  return h;
}

bool QtPrintDevice::BeginJob(const std::string& title) {
  QPrinter& printer = CurrentPrinter();
  printer.setDocName(toQ(title));
  if (printer.outputFormat() == QPrinter::PdfFormat) {
    std::string file;
    if (pdfFileForTest) {
      file = pdfFileForTest(title);
    } else {
      const std::string folder = ctx().options ? ctx().options->Str(4) : std::string();
      QFileDialog dialog(parent_, toQ(title));
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.setDirectory(toQ(folder));
      dialog.selectFile(toQ(title + ".pdf"));
      dialog.setNameFilters(FileDialogFilters(GetLangText(870)));
      dialog.setDefaultSuffix(QStringLiteral("pdf"));
      if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        file = fromQ(dialog.selectedFiles().front());
    }
    if (file.empty()) return false;
    printer.setOutputFileName(toQ(NativePath(file)));
  }
  painter_ = std::make_unique<QPainter>();
  if (!painter_->begin(&printer)) {
    painter_.reset();
    ShowError(871);
    return false;
  }
  const int dpi = printer.resolution() > 0 ? printer.resolution() : kLayoutDpi;
  canvas_ = std::make_unique<QtPrintCanvas>(*painter_, static_cast<double>(dpi) / kLayoutDpi, 0, 0);
  return true;
}

void QtPrintDevice::NewPage() {
  CurrentPrinter().newPage();
}

bool QtPrintDevice::EndJob() {
  const bool ok = painter_ && painter_->end();
  canvas_.reset();
  painter_.reset();
  return ok;
}

PrintCanvas& QtPrintDevice::Canvas() {
  return *canvas_;
}

}  // namespace tav
