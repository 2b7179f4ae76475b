#pragma once
// The JPEG picture: a bitmap that loads from and saves to JPEG data, and the table of picture
// classes by file extension in which it is registered for "jpg" and "jpeg".
#include <functional>
#include <memory>
#include <string>

#include "pictures/jpeg_base.h"
#include "pictures/jpeg_dib.h"

namespace tav {

class TJPEGStreamCompressor;
class TJPEGStreamDecompressor;

class TJPEGBitmap : public TBitmap {
 public:
  // Decodes JPEG data (grey pictures as 8 bits with a grey palette, others as 24 bits).
  void LoadFromStream(TStream& stream) override;
  // Writes JPEG data, or a plain bitmap file while SaveToFile saves under another extension.
  void SaveToStream(TStream& stream) override;
  // JPEG for ".jpg" and ".jpeg" (any case), a plain bitmap file for any other name.
  void SaveToFile(const std::string& name) override;

  // Warnings of libjpeg while loading or saving, such as "Premature end of JPEG file" for a
  // file cut short (the picture is still loaded, its missing part grey).
  TJPEGBase::TWarningEvent OnWarning;

 private:
  // The frame of a load or save: progress stages around `work`, the worker's progress event
  // routed to `onProgress` and restored at the end, also on failure.
  void Convert(TJPEGBase& worker, void (TJPEGBitmap::*onProgress)(TJPEGBase&), const char* endText,
               const std::function<void()>& work);
  void HandleDecompressOnProgress(TJPEGBase& sender);
  void HandleCompressOnProgress(TJPEGBase& sender);

  bool saveAsBitmap_ = false;
  TJPEGStreamDecompressor* decompressor_ = nullptr;  // during a load
  TJPEGStreamCompressor* compressor_ = nullptr;      // during a save
  TJPEGBase::TNotifyEvent savedProgress_;
};

// Picture classes by file extension, the way the windows' picture loader finds the class for
// a file. Extensions are given without the dot and compared without regard to case.
using TGraphicClass = std::unique_ptr<TBitmap> (*)();
void RegisterFileFormat(const std::string& extension, const std::string& description,
                        TGraphicClass graphicClass);
void UnregisterGraphicClass(TGraphicClass graphicClass);
// The class registered for the extension of `fileName` (from its last '.'), or null.
TGraphicClass GraphicClassForFile(const std::string& fileName);
// The description registered for `extension`, "" when none.
std::string GraphicDescription(const std::string& extension);

// Makes a TJPEGBitmap; registered for "jpg" and "jpeg" as "JPEG Image" while the program runs.
std::unique_ptr<TBitmap> NewJPEGBitmap();

}  // namespace tav
