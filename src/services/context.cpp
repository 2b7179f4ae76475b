#include "services/context.h"

#include <cstdlib>

#include "platform/services.h"
#include "services/lang_table.h"

namespace tav {

Context& ctx() {
  static Context context = [] {
    Context c;
    c.exitProcess = [](int code) { std::exit(code); };
    return c;
  }();
  return context;
}

std::string GetLangText(int n) {
  if (ctx().lang) return ctx().lang->GetLangText(n);
  return "{" + std::to_string(n) + "}";
}

int MessageBox(const std::string& text, const std::string& title, int flags) {
  if (ctx().messages) return ctx().messages->Show(text, title, flags);
  const int buttons = flags & 0xF;
  return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDNO : IDOK;
}

void ShowError(int textId, const std::string& extra) {
  MessageBox(GetLangText(textId) + extra, GetLangText(15), MB_OK | MB_ICONERROR);
}

}  // namespace tav
