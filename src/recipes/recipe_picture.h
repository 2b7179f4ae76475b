#pragma once
// The picture of a recipe being edited: where its file lies, copying a newly chosen file into the
// pictures folder under a free name, deleting a replaced one, and fitting it into its frame.
#include <string>

#include "recipedb/recipe_model.h"

namespace tav {

// The pictures folder: the data root (option 90) + "Pics/".
std::string RecipePictureFolder();
// A stored name that is a whole path ("C:\..." or "/..."), not a file of the pictures folder.
bool IsAbsolutePictureName(const std::string& name);
// The file a stored picture name stands for.
std::string RecipePicturePath(const std::string& name);

// Copies the file at `path` into the pictures folder under its own name or, when that is taken,
// under its base name + "_" + three random lower-case letters + its extension (from the last
// '.'). On success `path` becomes the copy's file name. A missing source gives false with
// `path` unchanged; any other failure false with `path` emptied (message 402 and the target
// when the target cannot be created). Never overwrites a file.
bool CopyRecipePicture(std::string& path);

// Deletes the file of the recipe's first picture from the pictures folder when that picture is
// a file ('F') and pictures are copied there (option 50). Nothing is reported.
void DeleteRecipePicture(const REZBLOCK& recipe);

// A picture of picW x picH fitted into a frame of frameW x frameH, keeping its proportions and
// centred across. False (box unchanged) when the frame or the picture has no height.
struct PictureBox {
  int left = 0, top = 0, width = 0, height = 0;
};
bool FitPictureBox(int frameW, int frameH, int picW, int picH, PictureBox& box);

}  // namespace tav
