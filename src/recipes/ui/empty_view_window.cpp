#include "recipes/ui/empty_view_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "pictures/ui/picture_loader.h"
#include "platform/paths.h"
#include "platform/qt/qt_text.h"
#include "services/context.h"
#include "services/options_store.h"
#include "services/ui/lang_dialog.h"
#include "services/ui/main_window_access.h"

namespace tav {

TEmptyDlg* EmptyDlg = nullptr;

namespace {

// The default picture; the recipe list writes it with a capital H, the lookup ignores case.
constexpr const char* kDefaultBackground = "hintergrund.bmp";

}  // namespace

TEmptyDlg::TEmptyDlg(QWidget* parent) : QWidget(parent, Qt::Window) {
  EmptyDlg = this;
  Registered<BookBackgroundView>::Enter(this);
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

TEmptyDlg::~TEmptyDlg() {
  Registered<BookBackgroundView>::Leave(this);
}

void TEmptyDlg::FormCreate() {
  if (MainWindowAccess* main = MainWindow()) {
    main->DockForm(this, main->PaneOf(MainPane::View));
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
