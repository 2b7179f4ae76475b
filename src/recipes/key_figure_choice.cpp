#include "recipes/key_figure_choice.h"

#include <algorithm>

#include "nutrients/nutrient_table.h"
#include "platform/numbers.h"
#include "recipedb/reference_tables.h"
#include "services/context.h"

namespace tav {

int KeyFigureNameText(int32_t id) {
  if (id >= kFigureServings && id <= kFigureRecipeId) return 539 + id;
  if (id == kFigureEnergy) return 569;
  if (id >= kFigureQuality && id <= kFigureBookName) return 690 + (id - kFigureQuality);
  return -1;
}

std::string KeyFigureName(int32_t id) {
  const int text = KeyFigureNameText(id);
  return text < 0 ? std::string("?") : GetLangText(text);
}

bool ParseKeyFigureLine(const std::string& line, PARA_SHOWDATA& out, bool& stop) {
  stop = line.size() < 2 || line[1] != '|';
  if (stop) return false;
  // Only the four output kinds are figures; another first character would be written back as a
  // two-digit kind that ends the list at the next read, losing every figure after it.
  if (line[0] < '0' || line[0] > '3') return false;
  const size_t idEnd = line.find('|', 2);
  if (idEnd == std::string::npos) return false;
  out = PARA_SHOWDATA();
  out.outputKind = static_cast<unsigned char>(line[0]) - '0';
  out.figureId = static_cast<int32_t>(ReadLong(std::string_view(line).substr(2, idEnd - 2)));
  const size_t codeEnd = line.find('|', idEnd + 1);
  const std::string code = line.substr(idEnd + 1, codeEnd == std::string::npos
                                                      ? std::string::npos
                                                      : codeEnd - idEnd - 1);
  if (codeEnd != std::string::npos) out.altText = line.substr(codeEnd + 1);
  if (out.figureId == kFigureNutrient) out.stoffCode = code;
  return true;
}

std::string FormatKeyFigureLine(const PARA_SHOWDATA& figure) {
  std::string line = std::to_string(figure.outputKind) + "|" + std::to_string(figure.figureId) +
                     "|" + figure.stoffCode;
  if (!figure.altText.empty()) line += "|" + figure.altText;
  return line;
}

std::string KeyFigureChoice::FilePath() const {
  return LanguageFolderFile("Kenndaten.dat");
}

bool KeyFigureChoice::ReadKenndaten() {
  std::vector<std::string> lines;
  if (!ReadReferenceLines(FilePath(), lines, file_)) return false;
  keyFigures.clear();
  bool damaged = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    PARA_SHOWDATA f;
    bool stop = false;
    if (!ParseKeyFigureLine(line, f, stop)) {
      // What follows the end of the list would be lost by a save.
      if (stop) {
        damaged =
            damaged || std::any_of(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end(),
                                   [](const std::string& l) { return !l.empty(); });
        break;
      }
      damaged = damaged || !line.empty();
      continue;
    }
    if (f.figureId == kFigureNutrient) {
      ISTOFF stoff;
      f.displayName = ctx().nutrients && ctx().nutrients->FindStoffByCode(f.stoffCode, &stoff)
                          ? stoff.name
                          : std::string("?");
    } else {
      f.displayName = KeyFigureName(f.figureId);
    }
    keyFigures.push_back(std::move(f));
  }
  if (damaged) file_.guard.Read(FilePath(), FileFound::kDamaged);
  return true;
}

bool KeyFigureChoice::SaveKenndaten() {
  std::vector<std::string> lines;
  lines.reserve(keyFigures.size());
  for (const PARA_SHOWDATA& f : keyFigures) lines.push_back(FormatKeyFigureLine(f));
  if (!file_.guard.MayWrite()) return false;  // said by the guard
  return WriteReferenceLines(FilePath(), lines, file_, 528, 15);
}

PARA_SHOWDATA* KeyFigureChoice::GetKeyFigure(int index) {
  if (index < 0 || index >= CountKeyFigures()) return nullptr;
  return &keyFigures[static_cast<size_t>(index)];
}

const PARA_SHOWDATA* KeyFigureChoice::GetKeyFigure(int index) const {
  if (index < 0 || index >= CountKeyFigures()) return nullptr;
  return &keyFigures[static_cast<size_t>(index)];
}

const std::string* KeyFigureField(const REZBLOCK& recipe, int32_t id) {
  switch (id) {
    case kFigureCosts: return &recipe.costs;
    case kFigureTotalTime: return &recipe.totalTime;
    case kFigurePrepTime: return &recipe.prepTime;
    case kFigureCookTime: return &recipe.cookTime;
    case kFigureCreatedBy: return &recipe.createdBy;
    case kFigureCreatedEmail: return &recipe.createdEmail;
    case kFigureCreatedDate: return &recipe.createdDate;
    case kFigureChangedBy: return &recipe.changedBy;
    case kFigureChangedEmail: return &recipe.changedEmail;
    case kFigureChangedDate: return &recipe.changedDate;
    case kFigurePoints: return &recipe.points;
    default: return nullptr;
  }
}

std::vector<const REZREMARK*> ShownRemarks(const REZBLOCK& recipe, int mode,
                                           const std::string& user) {
  std::vector<const REZREMARK*> shown;
  if (mode == 0) return shown;
  for (const REZREMARK& remark : recipe.remarks) {
    if (remark.text.empty()) continue;
    if (mode != 15 && remark.author != user) continue;
    shown.push_back(&remark);
  }
  return shown;
}

int KeyFigureChoice::GetRemarkShowMode(int kind) const {
  bool own = false;
  for (const PARA_SHOWDATA& f : keyFigures) {
    if (f.outputKind != kind) continue;
    if (f.figureId == kFigureAllRemarks) return 15;
    if (f.figureId == kFigureOwnRemarks) own = true;
  }
  return own ? 16 : 0;
}

PARA_SHOWDATA KeyFigureChoice::MakeGeneralFigure(int32_t id) const {
  PARA_SHOWDATA f;
  f.outputKind = currentKind;
  f.displayName = KeyFigureName(id);
  f.figureId = id;
  return f;
}

PARA_SHOWDATA KeyFigureChoice::MakeNutrientFigure(const std::string& code,
                                                  const std::string& name) const {
  PARA_SHOWDATA f;
  f.outputKind = currentKind;
  f.displayName = name;
  f.figureId = kFigureNutrient;
  f.stoffCode = code;
  return f;
}

bool KeyFigureChoice::HoldsFigure(const PARA_SHOWDATA& figure) const {
  for (const PARA_SHOWDATA& f : keyFigures)
    if (f.outputKind == figure.outputKind && f.figureId == figure.figureId &&
        f.stoffCode == figure.stoffCode)
      return true;
  return false;
}

int KeyFigureChoice::AddKeyFigure(const PARA_SHOWDATA& figure) {
  if (HoldsFigure(figure)) return -1;
  keyFigures.push_back(figure);
  return CountKeyFigures() - 1;
}

int KeyFigureChoice::DropKeyFigure(int moving, const PARA_SHOWDATA& figure, int before) {
  const bool move = moving >= 0;
  if (move && moving >= CountKeyFigures()) return -1;
  const PARA_SHOWDATA dropped = move ? keyFigures[static_cast<size_t>(moving)] : figure;
  if (!move && HoldsFigure(dropped)) return -1;
  int at = before >= 0 && before < CountKeyFigures() ? before : CountKeyFigures();
  keyFigures.insert(keyFigures.begin() + at, dropped);
  if (move) {
    const int old = moving >= at ? moving + 1 : moving;
    keyFigures.erase(keyFigures.begin() + old);
    if (old < at) --at;
  }
  return at;
}

void KeyFigureChoice::RemoveKeyFigure(int index) {
  if (index < 0 || index >= CountKeyFigures()) return;
  keyFigures.erase(keyFigures.begin() + index);
}

bool KeyFigureChoice::SwapKeyFigures(int a, int b) {
  if (a < 0 || b < 0 || a >= CountKeyFigures() || b >= CountKeyFigures()) return false;
  std::swap(keyFigures[static_cast<size_t>(a)], keyFigures[static_cast<size_t>(b)]);
  return true;
}

std::vector<int> KeyFigureChoice::FiguresOfKind(int kind) const {
  std::vector<int> out;
  for (int i = 0; i < CountKeyFigures(); ++i)
    if (keyFigures[static_cast<size_t>(i)].outputKind == kind) out.push_back(i);
  return out;
}

std::string KeyFigureChoice::TreeText(const PARA_SHOWDATA& figure) {
  if (figure.altText.empty()) return figure.displayName;
  return figure.displayName + " (\"" + figure.altText + "\")";
}

}  // namespace tav
