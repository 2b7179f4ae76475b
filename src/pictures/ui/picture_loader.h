#pragma once
// Picture files for the windows. A file whose extension has a registered picture class (JPEG:
// ".jpg", ".jpeg") is read and written by that class (TJPEGBitmap, libjpeg); any other format
// goes through Qt's image readers and writers. Paths are core paths (as the options hold them).
#include <QImage>
#include <string>
#include <vector>

namespace tav {

class TBitmap;

// The bitmap as an image: 24 bits become Format_BGR888, palette bitmaps Format_Indexed8 (1 bit
// Format_Mono) with their colour table.
QImage BitmapToImage(const TBitmap& bitmap);
// The image as a 24-bit bitmap; transparent parts are laid on white.
void ImageToBitmap(const QImage& image, TBitmap& bitmap);

// Loads a picture file into `image`. On failure returns false with the reason in `error` and
// leaves `image` as it was. Warnings of a picture that still loaded (a JPEG file cut short)
// go to `warnings`.
bool LoadPictureFile(const std::string& path, QImage& image, std::string* error = nullptr,
                     std::vector<std::string>* warnings = nullptr);
// LoadPictureFile for a picture a window only shows: one that cannot be read is written to the
// log with its reason and counts as missing (false). With `fitLongSide` above 0 a JPEG picture
// is decoded at 1/2, 1/4 or 1/8 of its size (libjpeg's scaling), the smallest whose longer side
// is still at least that many pixels; other pictures load whole.
bool LoadPictureOrLog(const std::string& path, QImage& image, int fitLongSide = 0);
// Stores `image` in the format of the file's extension, replacing the file whole. On failure
// returns false with the reason in `error`; an existing file stays as it was.
bool SavePictureFile(const QImage& image, const std::string& path, std::string* error = nullptr);

}  // namespace tav
