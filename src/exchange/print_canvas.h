#pragma once
// What the page layouts of the recipe printout and the printed lists draw on, and what a print
// job asks of a printer. Core lays the pages out; the windows paint them with Qt on the screen
// (the print preview) or on a printer or PDF file.
//
// Layouts work in dots of a 300-dpi page: the printer's page (or its printable area) measured at
// 300 dots an inch. The canvas maps those dots to its device, so the preview and the printer
// draw the same pages, line for line.
#include <string>

namespace tav {

// The resolution the layouts count in.
inline constexpr int kLayoutDpi = 300;

// Font style bits of the layouts.
inline constexpr int kFontBold = 1;
inline constexpr int kFontItalic = 2;
inline constexpr int kFontUnderline = 4;

class PrintCanvas {
 public:
  virtual ~PrintCanvas() = default;
  // The font for the following text: "Arial" (the canvas takes a font of the same widths) in
  // `points` and the style bits; `height` is its character height in layout dots.
  virtual void SetFont(int points, int style, int height) = 0;
  // Text in Windows-1252 with its top left corner at (x, y) in layout dots.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
};

// A printer as a print job uses it.
class PrintDevice {
 public:
  virtual ~PrintDevice() = default;
  // The printable page in layout dots.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  // Starts the job with its title; false when it cannot start (the device said why, or the
  // user cancelled its file choice).
  virtual bool BeginJob(const std::string& title) = 0;
  virtual void NewPage() = 0;
  // Ends the job; false when the output could not be completed.
  virtual bool EndJob() = 0;
  virtual PrintCanvas& Canvas() = 0;
};

}  // namespace tav
