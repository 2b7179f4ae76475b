#include "recipedb/reference_tables.h"

#include "app/context.h"
#include "platform/services.h"

namespace tav {

bool NameFitsReferenceFile(const std::string& name) {
  if (name.find('#') == std::string::npos) return true;
  MessageBox(GetLangText(764), GetLangText(15), MB_OK | MB_ICONERROR);
  return false;
}

}  // namespace tav
