#include "pictures/jpeg_bitmap.h"

#include <algorithm>
#include <vector>

#include "pictures/jpeg_compressor.h"
#include "pictures/jpeg_decompressor.h"
#include "pictures/jpeg_stream.h"
#include "platform/paths.h"

namespace tav {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  });
  return text;
}

// The extension of a file name without its dot, lower case; "" when the name has none.
std::string ExtensionOf(const std::string& fileName) {
  size_t separator = LastSeparator(fileName);
  size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return "";
  return Lower(fileName.substr(dot + 1));
}

struct FileFormat {
  std::string extension;  // lower case, no dot
  std::string description;
  TGraphicClass graphicClass;
};

std::vector<FileFormat>& FileFormats() {
  static std::vector<FileFormat> formats;
  return formats;
}

// Registers the JPEG picture when the program starts and takes it out when it ends.
struct JPEGRegistration {
  JPEGRegistration() {
    RegisterFileFormat("jpg", "JPEG Image", &NewJPEGBitmap);
    RegisterFileFormat("jpeg", "JPEG Image", &NewJPEGBitmap);
  }
  ~JPEGRegistration() { UnregisterGraphicClass(&NewJPEGBitmap); }
} jpegRegistration;

}  // namespace

void TJPEGBitmap::Convert(TJPEGBase& worker, void (TJPEGBitmap::*onProgress)(TJPEGBase&),
                          const char* endText, const std::function<void()>& work) {
  worker.OnWarning = OnWarning;
  Progress(psStarting, 0, "Opening JPEG Image");
  savedProgress_ = worker.OnProgressReport;
  worker.OnProgressReport = [this, onProgress](TJPEGBase& sender) { (this->*onProgress)(sender); };
  auto finish = [&] {
    Progress(psEnding, worker.PercentDone(), endText);
    worker.OnProgressReport = savedProgress_;
    savedProgress_ = nullptr;
    decompressor_ = nullptr;
    compressor_ = nullptr;
  };
  try {
    work();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

void TJPEGBitmap::LoadFromStream(TStream& stream) {
  TJPEGStreamDecompressor decompressor;
  decompressor_ = &decompressor;
  Convert(decompressor, &TJPEGBitmap::HandleDecompressOnProgress, "Decompression completed", [&] {
    std::unique_ptr<TBitmap> bitmap = decompressor.ReadBitMapFromStream(stream);
    TakeContents(*bitmap);
  });
}

void TJPEGBitmap::SaveToStream(TStream& stream) {
  if (saveAsBitmap_) {
    TBitmap::SaveToStream(stream);
    return;
  }
  TJPEGStreamCompressor compressor;
  compressor_ = &compressor;
  Convert(compressor, &TJPEGBitmap::HandleCompressOnProgress, "Compression completed",
          [&] { compressor.SaveBitMapToStream(*this, stream); });
}

void TJPEGBitmap::SaveToFile(const std::string& name) {
  std::string extension = ExtensionOf(name);
  saveAsBitmap_ = extension != "jpeg" && extension != "jpg";
  try {
    TBitmap::SaveToFile(name);
  } catch (...) {
    saveAsBitmap_ = false;
    throw;
  }
  saveAsBitmap_ = false;
}

void TJPEGBitmap::HandleDecompressOnProgress(TJPEGBase& sender) {
  if (savedProgress_) savedProgress_(sender);
  Progress(psRunning, sender.PercentDone(), "Decompressing Image");
}

void TJPEGBitmap::HandleCompressOnProgress(TJPEGBase& sender) {
  if (savedProgress_) savedProgress_(sender);
  Progress(psRunning, sender.PercentDone(), "Compressing Image");
}

std::unique_ptr<TBitmap> NewJPEGBitmap() {
  return std::make_unique<TJPEGBitmap>();
}

void RegisterFileFormat(const std::string& extension, const std::string& description,
                        TGraphicClass graphicClass) {
  std::string key = Lower(extension);
  auto& formats = FileFormats();
  auto it = std::find_if(formats.begin(), formats.end(),
                         [&](const FileFormat& f) { return f.extension == key; });
  if (it != formats.end())
    *it = FileFormat{key, description, graphicClass};
  else
    formats.push_back(FileFormat{key, description, graphicClass});
}

void UnregisterGraphicClass(TGraphicClass graphicClass) {
  auto& formats = FileFormats();
  std::erase_if(formats, [&](const FileFormat& f) { return f.graphicClass == graphicClass; });
}

TGraphicClass GraphicClassForFile(const std::string& fileName) {
  std::string key = ExtensionOf(fileName);
  for (const FileFormat& f : FileFormats()) {
    if (f.extension == key) return f.graphicClass;
  }
  return nullptr;
}

std::string GraphicDescription(const std::string& extension) {
  std::string key = Lower(extension);
  for (const FileFormat& f : FileFormats()) {
    if (f.extension == key) return f.description;
  }
  return "";
}

}  // namespace tav
