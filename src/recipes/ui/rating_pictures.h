#pragma once
// The rating pictures of a recipe, drawn in code: 0 to 5 stars for the quality (113 × 18) and
// 0 to 5 marks for the difficulty (111 × 15), on white. The key-figure grid draws them scaled
// into its cells with white as the transparent colour.
#include <QPixmap>

namespace tav {

QPixmap QualityPicture(int marks);
QPixmap DifficultyPicture(int marks);

}  // namespace tav
