#include "recipes/recipe_picture.h"

#include <cstdio>
#include <random>

#include "platform/paths.h"
#include "platform/services.h"
#include "platform/text_file.h"
#include "services/context.h"
#include "services/file_functions.h"
#include "services/options_store.h"

namespace tav {

namespace {

// Enough for any folder a user keeps; only a folder full of one name's variants runs out.
constexpr int kFreeNameTries = 1000;

std::string FreePictureTarget(const std::string& folder, const std::string& name) {
  std::string target = folder + name;
  if (!EntryExists(target)) return target;
  const std::string extension = FileExtension(name);
  const std::string base = name.substr(0, name.size() - extension.size());
  static std::mt19937 random{std::random_device{}()};
  std::uniform_int_distribution<int> letter(0, 25);
  for (int attempt = 0; attempt < kFreeNameTries; ++attempt) {
    std::string suffix = "_";
    for (int i = 0; i < 3; ++i) suffix += static_cast<char>('a' + letter(random));
    target = folder + base + suffix + extension;
    if (!EntryExists(target)) return target;
  }
  return std::string();
}

}  // namespace

std::string RecipePictureFolder() {
  std::string root;
  if (ctx().options) ctx().options->GetParaString(90, &root);
  return root + "Pics/";
}

bool IsAbsolutePictureName(const std::string& name) {
  if (name.size() >= 3 && name[1] == ':' && IsSeparator(name[2])) return true;
  return !name.empty() && name[0] == '/';
}

std::string RecipePicturePath(const std::string& name) {
  return IsAbsolutePictureName(name) ? NativePath(name) : RecipePictureFolder() + name;
}

bool CopyRecipePicture(std::string& path) {
  const std::string source = NativePath(path);
  if (!FileExists(source)) return false;
  const size_t sep = LastSeparator(source);
  const std::string name = sep == std::string::npos ? source : source.substr(sep + 1);
  const std::string folder = RecipePictureFolder();
  MakeDirs(folder);
  path.clear();
  std::string bytes;
  if (name.empty() || !ReadFileBytes(source, bytes)) return false;
  const std::string target = FreePictureTarget(folder, name);
  // The name is claimed with "x" (made here or not at all, so no existing picture is
  // overwritten), then filled through a temporary file, so it never holds half a picture.
  std::FILE* claim = target.empty() ? nullptr : std::fopen(DiskPath(target).c_str(), "wbx");
  if (!claim) {
    MessageBox(GetLangText(402) + "\n" + (target.empty() ? folder + name : target), GetLangText(15),
               MB_OK);
    return false;
  }
  std::fclose(claim);
  if (!WriteFileAtomic(target, bytes)) {
    RemoveFile(target);
    return false;
  }
  path = target.substr(folder.size());
  return true;
}

void DeleteRecipePicture(const REZBLOCK& recipe) {
  if (recipe.pictures.empty() || recipe.pictures[0].kind != 'F') return;
  if (!ctx().options || !ctx().options->Flag(50)) return;
  const std::string& name = recipe.pictures[0].name;
  // Only a plain file of the pictures folder: a stored name never reaches outside it.
  if (name.empty() || LastSeparator(name) != std::string::npos) return;
  RemoveFile(RecipePictureFolder() + name);
}

bool FitPictureBox(int frameW, int frameH, int picW, int picH, PictureBox& box) {
  if (frameH <= 0 || picH <= 0) return false;
  const double pictureRatio = static_cast<double>(picW) / picH;
  const double frameRatio = static_cast<double>(frameW) / frameH;
  box = PictureBox();
  if (pictureRatio > frameRatio) {
    box.width = frameW;
    box.height = static_cast<int>(box.width / pictureRatio);
    box.top = frameH / 2 - box.height / 2;
  } else {
    box.height = frameH;
    box.width = static_cast<int>(box.height * pictureRatio);
    box.left = frameW / 2 - box.width / 2;
  }
  return true;
}

}  // namespace tav
