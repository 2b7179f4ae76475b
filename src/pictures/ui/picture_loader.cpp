#include "pictures/ui/picture_loader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <exception>

#include "pictures/jpeg_bitmap.h"
#include "pictures/jpeg_decompressor.h"
#include "pictures/jpeg_stream.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/tools_module.h"

namespace tav {

namespace {

bool Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
  return false;
}

// The extension of the file part of `path` without the dot; "" when there is none.
QByteArray Suffix(const std::string& path) {
  size_t separator = LastSeparator(path);
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return {};
  return QByteArray::fromStdString(path.substr(dot + 1)).toLower();
}

QList<QRgb> ColourTable(const TBitmap& bitmap, int entries) {
  QList<QRgb> table(entries, qRgb(0, 0, 0));
  const auto& colors = bitmap.Colors();
  int count = std::min(entries, static_cast<int>(colors.size()));
  for (int i = 0; i < count; ++i) {
    table[i] = qRgb(colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue);
  }
  return table;
}

}  // namespace

QImage BitmapToImage(const TBitmap& bitmap) {
  const int width = bitmap.Width(), height = bitmap.Height();
  if (bitmap.Empty()) return {};
  QImage image;
  switch (bitmap.BitCount()) {
    case 24:
      image = QImage(width, height, QImage::Format_BGR888);
      for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), bitmap.ScanLine(y), static_cast<size_t>(width) * 3);
      }
      break;
    case 8:
    case 4:
      // Every index has a colour, also those beyond a short table.
      image = QImage(width, height, QImage::Format_Indexed8);
      image.setColorTable(ColourTable(bitmap, 1 << bitmap.BitCount()));
      for (int y = 0; y < height; ++y) {
        const uint8_t* in = bitmap.ScanLine(y);
        uchar* out = image.scanLine(y);
        if (bitmap.BitCount() == 8) {
          std::memcpy(out, in, static_cast<size_t>(width));
        } else {
          for (int x = 0; x < width; ++x) out[x] = (x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4;
        }
      }
      break;
    case 1:
      image = QImage(width, height, QImage::Format_Mono);
      image.setColorTable(ColourTable(bitmap, 2));
      for (int y = 0; y < height; ++y) {
        std::memcpy(image.scanLine(y), bitmap.ScanLine(y), static_cast<size_t>(width + 7) / 8);
      }
      break;
  }
  return image;
}

void ImageToBitmap(const QImage& image, TBitmap& bitmap) {
  QImage source = image;
  if (source.hasAlphaChannel()) {
    QImage flat(source.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, source);
    painter.end();
    source = flat;
  }
  source = source.convertToFormat(QImage::Format_BGR888);
  bitmap.SetSize(source.width(), source.height(), 24);
  for (int y = 0; y < source.height(); ++y) {
    std::memcpy(bitmap.ScanLine(y), source.constScanLine(y),
                static_cast<size_t>(source.width()) * 3);
  }
}

bool LoadPictureFile(const std::string& path, QImage& image, std::string* error,
                     std::vector<std::string>* warnings) {
  if (TGraphicClass graphicClass = GraphicClassForFile(path)) {
    std::unique_ptr<TBitmap> graphic = graphicClass();
    if (auto* jpeg = dynamic_cast<TJPEGBitmap*>(graphic.get()); jpeg && warnings) {
      jpeg->OnWarning = [warnings](const std::string& w) { warnings->push_back(w); };
    }
    try {
      graphic->LoadFromFile(path);
    } catch (const std::exception& e) {
      return Fail(error, e.what());
    }
    QImage loaded = BitmapToImage(*graphic);
    if (loaded.isNull()) return Fail(error, "Out of memory");
    image = loaded;
    return true;
  }
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return Fail(error, "Cannot open file \"" + path + "\"");
  QImage loaded;
  if (!loaded.loadFromData(QByteArray::fromStdString(bytes))) {
    return Fail(error, "Unknown picture format");
  }
  image = loaded;
  return true;
}

namespace {

// Decodes a JPEG picture at the smallest of libjpeg's scales that keeps its longer side at
// least `fit` pixels.
class ScaledJPEGReader : public TJPEGStreamDecompressor {
 public:
  explicit ScaledJPEGReader(unsigned fit) : fit_(fit) {}

 protected:
  void ReadHeader() override {
    TJPEGStreamDecompressor::ReadHeader();
    const unsigned longer = std::max(cinfo_.image_width, cinfo_.image_height);
    unsigned denom = 1;
    while (denom < 8 && longer / (denom * 2) >= fit_) denom *= 2;
    if (denom == 1) return;
    cinfo_.scale_num = 1;
    cinfo_.scale_denom = denom;
    Protect([this] { jpeg_calc_output_dimensions(&cinfo_); });
  }

 private:
  unsigned fit_;
};

bool LoadScaledJPEG(const std::string& path, QImage& image, int fit, std::string* error) {
  try {
    TFileStream stream(path);
    ScaledJPEGReader reader(static_cast<unsigned>(fit));
    const std::unique_ptr<TBitmap> bitmap = reader.ReadBitMapFromStream(stream);
    QImage loaded = BitmapToImage(*bitmap);
    if (loaded.isNull()) return Fail(error, "Out of memory");
    image = loaded;
    return true;
  } catch (const std::exception& e) {
    return Fail(error, e.what());
  }
}

}  // namespace

bool LoadPictureOrLog(const std::string& path, QImage& image, int fitLongSide) {
  std::string error;
  const bool jpeg = GraphicClassForFile(path) == &NewJPEGBitmap;
  if (jpeg && fitLongSide > 0 ? LoadScaledJPEG(path, image, fitLongSide, &error)
                              : LoadPictureFile(path, image, &error))
    return true;
  if (ctx().tools) ctx().tools->WriteLog("Picture not shown: " + path + ": " + error, 0);
  return false;
}

bool SavePictureFile(const QImage& image, const std::string& path, std::string* error) {
  if (image.isNull()) return Fail(error, "No picture");
  if (TGraphicClass graphicClass = GraphicClassForFile(path)) {
    std::unique_ptr<TBitmap> graphic = graphicClass();
    try {
      ImageToBitmap(image, *graphic);
      graphic->SaveToFile(path);
    } catch (const std::exception& e) {
      return Fail(error, e.what());
    }
    return true;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, Suffix(path));
  if (!writer.write(image)) return Fail(error, writer.errorString().toStdString());
  if (!WriteFileAtomic(path, std::string_view(bytes.constData(), bytes.size()))) {
    return Fail(error, "Cannot create file \"" + path + "\"");
  }
  return true;
}

}  // namespace tav
