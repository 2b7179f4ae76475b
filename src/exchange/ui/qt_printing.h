#pragma once
// Printing with Qt: the program's printer (the system's default printer, or a PDF file where
// the system has none), its page set-up, a canvas that paints the layouts with QPainter on the
// printer or on the screen, and the print device the layouts' jobs run on.
#include <QFont>
#include <functional>
#include <memory>
#include <string>

#include "exchange/print_canvas.h"

class QPainter;
class QPrinter;
class QWidget;

namespace tav {

// The printer every print job uses, created on first use.
QPrinter& CurrentPrinter();
// Qt's page set-up dialog over the printer; true when confirmed.
bool RunPrinterSetup(QWidget* parent);
// The printable page of the printer in layout dots (wider than high in landscape).
void PrinterPageDots(int& width, int& height);

// The font a layout asks for: "Arial" becomes a font of the same widths (Liberation Sans),
// `pixels` high as its character height.
QFont LayoutFont(int style, double pixels);

// Paints layout dots onto a painter: device = offset + dots x factor.
class QtPrintCanvas : public PrintCanvas {
 public:
  QtPrintCanvas(QPainter& painter, double factor, double offsetX, double offsetY);
  void SetFont(int points, int style, int height) override;
  void TextOut(int x, int y, const std::string& text) override;

 private:
  QPainter& painter_;
  double factor_, offsetX_, offsetY_;
  double ascent_ = 0;
};

// One print job on the current printer. A PDF printer asks for the file first (the export
// folder and the job's title are offered); cancelling that ends the job before it begins.
class QtPrintDevice : public PrintDevice {
 public:
  explicit QtPrintDevice(QWidget* parent);
  ~QtPrintDevice() override;
  int PageWidth() const override;
  int PageHeight() const override;
  bool BeginJob(const std::string& title) override;
  void NewPage() override;
  bool EndJob() override;
  PrintCanvas& Canvas() override;

  // Where a PDF job goes without asking (tests and tools): the file name for a job title, "" to
  // cancel. Unset: the save dialog asks.
  static std::function<std::string(const std::string& title)> pdfFileForTest;

 private:
  QWidget* parent_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtPrintCanvas> canvas_;
};

}  // namespace tav
