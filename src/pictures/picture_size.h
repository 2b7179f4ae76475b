#pragma once
// The pixel size of a picture file from its header, without decoding the picture: JPEG through
// libjpeg's header reader, bitmap, GIF and PNG from their fixed header fields. A page that only
// names a picture with its size needs no more.
#include <string>

namespace tav {

// False (sizes untouched) when the file cannot be read or is no picture of a known kind, or
// when its header gives no size.
bool ReadPictureSize(const std::string& path, int& width, int& height);

}  // namespace tav
