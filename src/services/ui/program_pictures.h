#pragma once
// The pictures that come with the program's own windows (start picture, about-box logos and
// banners), drawn in code so that they need no files.
#include <QPixmap>

namespace tav {

QPixmap StartPicture(const QString& versionLine);                 // 390 × 252
QPixmap ProductLogo(bool highlighted);                            // 120 × 123
QPixmap FormatBanner(const QString& text, const QColor& colour);  // 88 × 31
// The welcome of a fresh installation: a plate with herbs on the program's green (40 × 32).
QPixmap WelcomePicture();
// The kind of a category in the category lists: 1 main, 2 sub, 3 free (14 × 14).
QPixmap CategoryKindPicture(int kind);

}  // namespace tav
