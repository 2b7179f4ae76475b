#include "recipes/ui/empty_view_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/context.h"
#include "app/options_store.h"
#include "app/ui/lang_dialog.h"
#include "app/ui/main_window.h"
#include "app/ui/picture_loader.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"

namespace tav {

TEmptyDlg* EmptyDlg = nullptr;

namespace {

// The default picture; the recipe list writes it with a capital H, the lookup ignores case.
constexpr const char* kDefaultBackground = "hintergrund.bmp";

}  // namespace

TEmptyDlg::TEmptyDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  EmptyDlg = this;
  setObjectName(QStringLiteral("EmptyDlg"));
  QPalette black = palette();
  black.setColor(QPalette::Window, Qt::black);
  setPalette(black);
  setAutoFillBackground(true);
  EmptyImg = new QLabel;
  EmptyImg->setObjectName(QStringLiteral("EmptyImg"));
  EmptyImg->setAlignment(Qt::AlignCenter);
  EmptyImg->setScaledContents(true);
  EmptyImg->setMinimumSize(1, 1);
  EmptyImg->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(EmptyImg);
  LoadPicture(kDefaultBackground);
  FormCreate();
}

void TEmptyDlg::FormCreate() {
  if (MainFrm) {
    MainFrm->DockForm(this, MainFrm->ShowParPanel);
    show();
  }
  if (LangDlg) LangDlg->TranslateForm(this);
}

bool TEmptyDlg::LoadPicture(const std::string& name) {
  if (name.empty() || !ctx().options) return false;
  const std::string path = FindFileNoCase(ctx().options->Str(2) + name);
  if (!FileExists(path)) return false;
  QImage image;
  if (!LoadPictureOrLog(path, image)) return false;  // the view keeps its picture
  EmptyImg->setPixmap(QPixmap::fromImage(image));
  return true;
}

void TEmptyDlg::LoadViewBackground(const std::string& name) {
  if (!LoadPicture(name)) LoadPicture(kDefaultBackground);
}

}  // namespace tav
